#pragma once

#include <QByteArray>
#include <QDialog>
#include <QImage>

class QAction;
class QLabel;
class QMenuBar;
class QScrollArea;
class QStatusBar;
class QToolBar;

// The picture window "图像显示": shows a picture file zoomed in fifteen steps, loads, writes
// and clears it; "保存" returns the shown file's path to the caller.
//
//   TfrmImageDisp w(this);
//   w.setPicture(photo.image(), photo.path());
//   const QString chosen = w.ChoosePicture(photo.path());
class TfrmImageDisp : public QDialog
{
    Q_OBJECT
public:
    // The zoom factors; a picture is first shown at step 9 (1.0).
    static constexpr int StepCount = 15;
    static constexpr int OriginalStep = 9;
    static double zoomFactor(int step);

    explicit TfrmImageDisp(QWidget *parent = nullptr);
    ~TfrmImageDisp() override;

    // Shows the window modally: the path of the picture shown when closed with "保存", else
    // the given path.
    QString ChoosePicture(const QString &currentPath);

    // Takes a picture shown elsewhere together with its path.
    void setPicture(const QImage &image, const QString &path);
    // Shows a picture file, which becomes the window's path: nothing when the file does not
    // exist; a file that cannot be read gives the error message and leaves the picture as it
    // was. True when the picture was shown.
    bool showFile(const QString &file);
    // Writes the shown picture: type 1 JPEG (".jpg"), 2 GIF (".gif", only a picture read from a
    // GIF file, written as it is), 3 bitmap (".bmp"), 4 PNG (".png"); the extension is added
    // when the name lacks it. False (with a message) when nothing was written.
    bool writePicture(const QString &file, int type);

    QString path() const { return m_path; }
    const QImage &picture() const { return m_image; }
    int zoomStep() const { return m_step; }

    void acLoadExecute();
    void acOutputExecute();
    void acClearExecute();
    void acZoomInExecute();
    void acZoomOutExecute();
    void acOriginalExecute();
    void acFullScreenExecute();
    void acSaveExecute();
    void acCancelExecute();
    bool isFullScreenView() const { return m_fullScreen; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QAction *addCommand(const char *name, const QString &caption, void (TfrmImageDisp::*slot)());
    void setStep(int step);
    void refresh();
    void leaveFullScreen();

    QMenuBar *m_menu;
    QToolBar *m_tools;
    QScrollArea *m_scroll;
    QLabel *Image1;
    QStatusBar *StatusBar1;
    QLabel *m_panelPath;
    QLabel *m_panelSize;
    QLabel *m_panelZoom;
    QAction *acZoomIn = nullptr;
    QAction *acZoomOut = nullptr;
    QString m_path;
    QImage m_image;
    QByteArray m_bytes;      // the file's bytes (written as they are for GIF output)
    QByteArray m_format;     // the file's picture format
    int m_step = OriginalStep;
    bool m_fullScreen = false;
};
