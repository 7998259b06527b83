#pragma once

#include <QDialog>

// "关于我们": what the program is, its version and its licence.
class TfrmAboutInfo : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmAboutInfo(QWidget *parent = nullptr);
};
