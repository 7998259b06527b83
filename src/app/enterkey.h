#pragma once

class QKeyEvent;
class QWidget;

// Enter in an edit field moves the focus to the next control, as in every window of the
// program. Returns true when the key was used.
bool moveFocusOnEnter(QWidget *window, QKeyEvent *event);
