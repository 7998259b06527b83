#include "numberedit.h"

#include "data/displayformat.h"

#include <QLineEdit>

NumberEdit::NumberEdit(QWidget *parent, int decimals) : QDoubleSpinBox(parent)
{
    setDecimals(decimals);
    setRange(-1e15, 1e15);
    setButtonSymbols(QAbstractSpinBox::NoButtons);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setKeyboardTracking(false);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
}

void NumberEdit::setDisplayFormat(const QString &format)
{
    m_format = format;
    // Re-show the value in the new format.
    lineEdit()->setText(textFromValue(value()));
}

QString NumberEdit::textFromValue(double value) const
{
    if (m_format.isEmpty())
        return DisplayFormat::plainNumber(value);
    return DisplayFormat::formatNumber(value, m_format);
}

QString NumberEdit::numericPart(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        if (c.isDigit() || c == QLatin1Char('.') || c == QLatin1Char('-'))
            out += c;
    }
    return out;
}

double NumberEdit::valueFromText(const QString &text) const
{
    // The text shown for the value is the value itself, with every decimal it holds.
    if (text == textFromValue(value()))
        return value();
    const QString n = numericPart(text);
    bool ok = false;
    const double v = n.toDouble(&ok);
    return ok ? v : 0.0;
}

QValidator::State NumberEdit::validate(QString &input, int &) const
{
    const QString n = numericPart(input);
    if (n.isEmpty() || n == QLatin1String("-") || n == QLatin1String(".") || n == QLatin1String("-."))
        return QValidator::Intermediate;
    bool ok = false;
    n.toDouble(&ok);
    if (!ok)
        return QValidator::Invalid;
    // Letters other than the format's literals are not part of a number.
    for (const QChar c : input) {
        if (c.isLetter() && !m_format.contains(c))
            return QValidator::Invalid;
    }
    return QValidator::Acceptable;
}

void NumberEdit::fixup(QString &input) const
{
    if (numericPart(input).isEmpty())
        input = textFromValue(0);
}
