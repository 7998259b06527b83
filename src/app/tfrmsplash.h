#pragma once

#include <QWidget>

class QLabel;

// The borderless start-up window with one status line near its bottom edge.
class TfrmSplash : public QWidget
{
    Q_OBJECT
public:
    explicit TfrmSplash(QWidget *parent = nullptr);
    void setStatus(const QString &text);
    QString status() const;

private:
    QLabel *m_label = nullptr;
};
