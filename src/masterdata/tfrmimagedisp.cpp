#include "tfrmimagedisp.h"

#include "platform/showmess.h"

#include <QAction>
#include <QBuffer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSaveFile>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include <array>

namespace {

constexpr std::array<double, TfrmImageDisp::StepCount> kFactors{0.05, 0.07, 0.1, 0.15, 0.2, 0.3, 0.5, 0.7,
                                                                1.0,  1.5,  2.0, 3.0,  5.0, 7.0, 10.0};

const QString kOpenFilter = QStringLiteral("Image Files (*.bmp *.jpg *.jpeg *.gif *.png);;Bitmap Files (*.jpg *.jpeg);;"
                                           "Bitmap Files (*.gif);;Bitmap Files (*.bmp);;PNG Files (*.png)");
const QStringList kSaveFilters{QStringLiteral("Bitmap Files (*.jpg *.jpeg)"), QStringLiteral("Bitmap Files (*.gif)"),
                               QStringLiteral("Bitmap Files (*.bmp)"), QStringLiteral("PNG Files (*.png)")};

} // namespace

double TfrmImageDisp::zoomFactor(int step)
{
    return kFactors.at(size_t(qBound(1, step, StepCount) - 1));
}

TfrmImageDisp::TfrmImageDisp(QWidget *parent)
    : QDialog(parent), m_menu(new QMenuBar(this)), m_tools(new QToolBar(this)), m_scroll(new QScrollArea(this)),
      Image1(new QLabel), StatusBar1(new QStatusBar(this)), m_panelPath(new QLabel(StatusBar1)),
      m_panelSize(new QLabel(StatusBar1)), m_panelZoom(new QLabel(StatusBar1))
{
    setObjectName(QStringLiteral("frmImageDisp"));
    setWindowTitle(QStringLiteral("图像显示"));
    m_menu->setObjectName(QStringLiteral("MainMenu1"));
    m_tools->setObjectName(QStringLiteral("ToolBar1"));
    m_tools->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);

    QMenu *menu = m_menu->addMenu(QStringLiteral("图像"));
    const struct {
        const char *name;
        const char *caption;
        void (TfrmImageDisp::*slot)();
    } commands[] = {{"acLoad", "载入", &TfrmImageDisp::acLoadExecute},
                    {"acOutput", "输出", &TfrmImageDisp::acOutputExecute},
                    {"acClear", "清空", &TfrmImageDisp::acClearExecute},
                    {"acZoomIn", "放大", &TfrmImageDisp::acZoomInExecute},
                    {"acZoomOut", "缩小", &TfrmImageDisp::acZoomOutExecute},
                    {"acOriginal", "原始", &TfrmImageDisp::acOriginalExecute},
                    {"acFullScreen", "全屏", &TfrmImageDisp::acFullScreenExecute},
                    {"acSave", "保存", &TfrmImageDisp::acSaveExecute},
                    {"acCancel", "取消", &TfrmImageDisp::acCancelExecute}};
    for (const auto &c : commands) {
        QAction *a = addCommand(c.name, QString::fromUtf8(c.caption), c.slot);
        menu->addAction(a);
        m_tools->addAction(a);
        if (c.slot == &TfrmImageDisp::acZoomInExecute)
            acZoomIn = a;
        if (c.slot == &TfrmImageDisp::acZoomOutExecute)
            acZoomOut = a;
    }

    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAlignment(Qt::AlignCenter);
    m_scroll->setObjectName(QStringLiteral("ScrollBox1"));
    m_scroll->setWidget(Image1);
    m_scroll->setAlignment(Qt::AlignCenter);
    m_scroll->setWidgetResizable(false);

    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    m_panelPath->setObjectName(QStringLiteral("StatusPanel0"));
    m_panelSize->setObjectName(QStringLiteral("StatusPanel1"));
    m_panelZoom->setObjectName(QStringLiteral("StatusPanel2"));
    StatusBar1->addWidget(m_panelPath, 1);
    StatusBar1->addWidget(m_panelSize);
    StatusBar1->addWidget(m_panelZoom);

    auto *lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);
    lay->setMenuBar(m_menu);
    lay->addWidget(m_tools);
    lay->addWidget(m_scroll, 1);
    lay->addWidget(StatusBar1);

    // As large as the screen, less 30 pixels of height.
    if (QScreen *screen = this->screen()) {
        const QRect r = screen->availableGeometry();
        resize(r.width(), qMax(200, screen->geometry().height() - 30));
    }
    refresh();
}

TfrmImageDisp::~TfrmImageDisp() = default;

QAction *TfrmImageDisp::addCommand(const char *name, const QString &caption, void (TfrmImageDisp::*slot)())
{
    auto *a = new QAction(caption, this);
    a->setObjectName(QLatin1String(name));
    connect(a, &QAction::triggered, this, slot);
    return a;
}

QString TfrmImageDisp::ChoosePicture(const QString &currentPath)
{
    refresh();
    return exec() == QDialog::Accepted ? m_path : currentPath;
}

void TfrmImageDisp::setPicture(const QImage &image, const QString &path)
{
    m_image = image;
    m_path = path;
    m_bytes.clear();
    m_format.clear();
    m_step = OriginalStep;
    refresh();
}

bool TfrmImageDisp::showFile(const QString &file)
{
    if (file.isEmpty() || !QFileInfo(file).isFile())
        return false;
    QFile f(file);
    QByteArray bytes;
    if (f.open(QIODevice::ReadOnly))
        bytes = f.readAll();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QByteArray format = reader.format();
    const QImage image = reader.read();
    if (image.isNull()) {
        ShowMess(QStringLiteral("读取文件：") + file + QStringLiteral("时发生错误！") + QLatin1Char('\r')
                     + QStringLiteral("该文件不是标准格式的文件，或者该文件已经被损坏！"),
                 MessError, this);
        return false;
    }
    m_image = image;
    m_path = file;
    m_bytes = bytes;
    m_format = format.toLower();
    m_step = OriginalStep;
    refresh();
    return true;
}

bool TfrmImageDisp::writePicture(const QString &file, int type)
{
    if (m_image.isNull() || file.isEmpty())
        return false;
    QString name = file;
    const QString suffix = QFileInfo(name).suffix().toLower();
    QByteArray data;
    switch (type) {
    case 1: {
        if (suffix != QLatin1String("jpg") && suffix != QLatin1String("jpeg"))
            name += QStringLiteral(".jpg");
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        m_image.save(&buffer, "jpeg");
        break;
    }
    case 2:
        if (m_format != "gif") {
            ShowMess(QStringLiteral("只有从GIF文件载入的图像才能输出为GIF文件！"), MessWarning, this);
            return false;
        }
        if (suffix != QLatin1String("gif"))
            name += QStringLiteral(".gif");
        data = m_bytes;
        break;
    case 3: {
        if (suffix != QLatin1String("bmp"))
            name += QStringLiteral(".bmp");
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        m_image.save(&buffer, "bmp");
        break;
    }
    default: {
        if (suffix != QLatin1String("png"))
            name += QStringLiteral(".png");
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        m_image.save(&buffer, "png");
        break;
    }
    }
    QSaveFile out(name);
    if (data.isEmpty() || !out.open(QIODevice::WriteOnly) || out.write(data) != data.size() || !out.commit()) {
        ShowMess(QStringLiteral("写入文件：") + name + QStringLiteral("时发生错误！"), MessError, this);
        return false;
    }
    return true;
}

void TfrmImageDisp::acLoadExecute()
{
    const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("载入"), QFileInfo(m_path).absolutePath(), kOpenFilter);
    if (!file.isEmpty())
        showFile(file);
}

void TfrmImageDisp::acOutputExecute()
{
    if (m_image.isNull())
        return;
    QString selected = kSaveFilters.first();
    const QString file = QFileDialog::getSaveFileName(this, QStringLiteral("输出"), QString(),
                                                      kSaveFilters.join(QStringLiteral(";;")), &selected);
    if (file.isEmpty())
        return;
    writePicture(file, int(kSaveFilters.indexOf(selected)) + 1);
}

void TfrmImageDisp::acClearExecute()
{
    m_image = QImage();
    m_path.clear();
    m_bytes.clear();
    m_format.clear();
    m_step = OriginalStep;
    refresh();
}

void TfrmImageDisp::setStep(int step)
{
    m_step = qBound(1, step, int(StepCount));
    refresh();
}

void TfrmImageDisp::acZoomInExecute()
{
    setStep(m_step + 1);
}

void TfrmImageDisp::acZoomOutExecute()
{
    setStep(m_step - 1);
}

void TfrmImageDisp::acOriginalExecute()
{
    setStep(OriginalStep);
}

void TfrmImageDisp::acFullScreenExecute()
{
    m_fullScreen = true;
    m_menu->hide();
    m_tools->hide();
    StatusBar1->hide();
    setWindowFlag(Qt::FramelessWindowHint, true);
    showFullScreen();
}

void TfrmImageDisp::leaveFullScreen()
{
    m_fullScreen = false;
    setWindowFlag(Qt::FramelessWindowHint, false);
    m_menu->show();
    m_tools->show();
    StatusBar1->show();
    showNormal();
}

void TfrmImageDisp::acSaveExecute()
{
    accept();
}

void TfrmImageDisp::acCancelExecute()
{
    reject();
}

void TfrmImageDisp::refresh()
{
    acZoomIn->setEnabled(m_step < StepCount);
    acZoomOut->setEnabled(m_step > 1);
    if (m_image.isNull()) {
        Image1->clear();
        Image1->resize(0, 0);
        m_panelSize->clear();
    } else {
        const double f = zoomFactor(m_step);
        const QSize size(qMax(1, qRound(m_image.width() * f)), qMax(1, qRound(m_image.height() * f)));
        const QImage shown = m_step == OriginalStep ? m_image : m_image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        Image1->setPixmap(QPixmap::fromImage(shown));
        Image1->resize(shown.size());
        m_panelSize->setText(QStringLiteral("%1x%2").arg(m_image.width()).arg(m_image.height()));
    }
    m_panelPath->setText(m_path);
    m_panelZoom->setText(QStringLiteral("%1%").arg(qRound(zoomFactor(m_step) * 100)));
}

void TfrmImageDisp::keyPressEvent(QKeyEvent *event)
{
    QScrollBar *h = m_scroll->horizontalScrollBar();
    QScrollBar *v = m_scroll->verticalScrollBar();
    switch (event->key()) {
    case Qt::Key_Escape:
        if (m_fullScreen)
            leaveFullScreen();
        else
            reject();
        return;
    case Qt::Key_Backspace:
    case Qt::Key_Space:
    case Qt::Key_Slash:
        acOriginalExecute();
        return;
    case Qt::Key_Left:
        h->setValue(h->value() - h->singleStep());
        return;
    case Qt::Key_Right:
        h->setValue(h->value() + h->singleStep());
        return;
    case Qt::Key_Up:
        v->setValue(v->value() - v->singleStep());
        return;
    case Qt::Key_Down:
        v->setValue(v->value() + v->singleStep());
        return;
    case Qt::Key_PageUp:
        v->setValue(v->value() - v->pageStep());
        return;
    case Qt::Key_PageDown:
        v->setValue(v->value() + v->pageStep());
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}
