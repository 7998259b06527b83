#pragma once

#include <QTreeWidget>

// A list of things to insert into a template (fields, variables, functions): each item keeps
// the text it inserts (Qt::UserRole); items can be dragged onto the page as text.
class ReportInsertTree : public QTreeWidget
{
    Q_OBJECT
public:
    explicit ReportInsertTree(QWidget *parent = nullptr);

    QTreeWidgetItem *addGroup(const QString &caption);
    QTreeWidgetItem *addEntry(QTreeWidgetItem *group, const QString &caption, const QString &insertText,
                              const QString &tip = {}, const QString &value = {});

signals:
    void insertRequested(const QString &text);

protected:
    QMimeData *mimeData(const QList<QTreeWidgetItem *> &items) const override;
    QStringList mimeTypes() const override;
};
