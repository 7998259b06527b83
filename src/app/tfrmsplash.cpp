#include "tfrmsplash.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

namespace {
class SplashPicture : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        QLinearGradient g(rect().topLeft(), rect().bottomRight());
        g.setColorAt(0, QColor(0x1f, 0x4e, 0x8c));
        g.setColorAt(1, QColor(0x6f, 0xa8, 0xdc));
        p.fillRect(rect(), g);
        p.setPen(Qt::white);
        QFont f = font();
        f.setPointSize(22);
        f.setBold(true);
        p.setFont(f);
        p.drawText(rect().adjusted(0, 0, 0, -80), Qt::AlignCenter, QStringLiteral("采购管理系统"));
        f.setPointSize(11);
        f.setBold(false);
        p.setFont(f);
        p.drawText(rect().adjusted(0, 60, 0, -40), Qt::AlignCenter, QStringLiteral("v2.63(网络版)"));
    }
};
}

TfrmSplash::TfrmSplash(QWidget *parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setFixedSize(470, 294);
    auto *picture = new SplashPicture(this);
    picture->setGeometry(rect());
    m_label = new QLabel(QStringLiteral("系统正在启动，请稍候 ....."), this);
    m_label->setObjectName(QStringLiteral("Label1"));
    m_label->setStyleSheet(QStringLiteral("color: white;"));
    m_label->setGeometry(16, height() - 32, width() - 32, 20);
    if (QScreen *s = QGuiApplication::primaryScreen()) {
        QRect r = frameGeometry();
        r.moveCenter(s->availableGeometry().center());
        move(r.topLeft());
    }
}

void TfrmSplash::setStatus(const QString &text)
{
    m_label->setText(text);
    m_label->repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QString TfrmSplash::status() const { return m_label->text(); }
