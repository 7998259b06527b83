#pragma once

#include <QDoubleSpinBox>

// A number field that shows its value in a display format of the program ("￥,0.00", "0.##")
// while keeping every decimal it holds, so that saving an unchanged value writes it back
// unchanged.
class NumberEdit : public QDoubleSpinBox
{
    Q_OBJECT
public:
    explicit NumberEdit(QWidget *parent = nullptr, int decimals = 4);

    void setDisplayFormat(const QString &format);
    QString displayFormat() const { return m_format; }

    QString textFromValue(double value) const override;
    double valueFromText(const QString &text) const override;
    QValidator::State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;

private:
    static QString numericPart(const QString &text);

    QString m_format;
};
