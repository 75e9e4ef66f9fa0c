#include "app/forms/TMessageForm.h"

#include "ui_TMessageForm.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>

TMessageForm::TMessageForm(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , ui(std::make_unique<Ui::TMessageForm>())
{
    ui->setupUi(this);
    setAttribute(Qt::WA_ShowWithoutActivating);
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    ui->Icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation, nullptr, this)
                            .pixmap(qMin(iconSize, BaseHeight - 4)));
    QPalette palette = ui->MessagePanel->palette();
    palette.setColor(QPalette::Window, QColor(255, 255, 225)); // the pale yellow of hints
    palette.setColor(QPalette::WindowText, QColor(0, 0, 128));
    ui->MessagePanel->setPalette(palette);
    QFont font = ui->MessagePanel->font();
    font.setBold(true);
    ui->MessagePanel->setFont(font);

    setFixedSize(BaseWidth, BaseHeight);
    const QRect area = screenArea();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
}

TMessageForm::~TMessageForm() = default;

QRect TMessageForm::screenArea() const
{
    const QScreen *shownOn = screen() ? screen() : QGuiApplication::primaryScreen();
    return shownOn ? shownOn->geometry() : QRect(0, 0, BaseWidth, BaseHeight);
}

int TMessageForm::widthFor(int textWidth, int iconWidth, int panelWidth, int screenWidth)
{
    if (textWidth <= panelWidth)
        return BaseWidth;
    return qMin(textWidth + iconWidth + WideningMargin, screenWidth);
}

void TMessageForm::setMessage(const QString &text)
{
    ui->MessagePanel->setText(text);
    const int textWidth = ui->MessagePanel->fontMetrics().horizontalAdvance(text);
    const int iconWidth = ui->Icon->maximumWidth();
    const QRect area = screenArea();
    const int newWidth = widthFor(textWidth, iconWidth, BaseWidth - iconWidth, area.width());
    if (newWidth > width()) {
        setFixedSize(newWidth, BaseHeight);
        move(area.x() + (area.width() - newWidth) / 2, y());
    }
    // The caller is busy and the event loop will not run until it is done.
    if (isVisible())
        repaint();
}

QString TMessageForm::message() const
{
    return ui->MessagePanel->text();
}
