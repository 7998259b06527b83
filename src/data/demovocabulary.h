#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The words the demo company is made of: goods categories with their goods, names of people,
// places, suppliers and the entries of the code lists. Plain data, UTF-8 text.
namespace DemoVocabulary {

// A second-level goods category: the goods it holds are made of a material (or make), a base
// name and a size, e.g. "不锈钢" + "六角螺栓" + " M8".
struct SubCategory {
    QString name;
    QStringList items;
    QStringList materials;
    QStringList specs;
    QString unit;
    double priceLow = 1.0;
    double priceHigh = 10.0;
};

// A first-level goods category and the trade word of the suppliers that sell it.
struct Category {
    QString name;
    QString trade;
    QStringList brands;
    QList<SubCategory> subs;
};

const QList<Category> &categories();

// Names of the third and deeper levels of the goods-type tree (level 3, level 4, deeper).
QStringList levelNames(int level);

struct City {
    QString name;
    QString province;
    QString areaCode;
    QString postPrefix;
};
const QList<City> &cities();

QStringList regions();          // 华东, 华南 ...
QStringList companyCores();     // 宏达, 恒通 ...
QStringList companySuffixes();  // 有限公司 ...
QStringList streets();
QStringList banks();
QStringList surnames();
QStringList maleNames();      // given names
QStringList femaleNames();
QStringList origins();
QStringList importOrigins();
QStringList remarks();          // short remarks of documents

// Code lists of t_code.
QStringList depots();
QStringList units();            // every unit the categories use, then a few more
QStringList payModes();
QStringList accounts();
QStringList invoiceKinds();
QStringList duties();
QStringList departments();
QStringList supplierTypes();
QStringList paymentItems();

} // namespace DemoVocabulary
