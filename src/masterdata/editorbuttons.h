#pragma once

class QCheckBox;
class QHBoxLayout;
class QPushButton;
class QWidget;
class RecordNavigator;

// The bottom row every master-data editor shows: "连续新增", the record navigator, "确定" and
// "取消", with the object names the editors and their tests use.
struct EditorButtons {
    QCheckBox *continuous;
    RecordNavigator *navigator;
    QPushButton *ok;
    QPushButton *cancel;
    QHBoxLayout *layout;

    static EditorButtons create(QWidget *owner, bool continuousChecked);
};
