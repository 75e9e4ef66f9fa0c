#include "printing/forms/ReportPreview.h"

#include "printing/ReportPainter.h"
#include "printing/forms/PageNumberBox.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace {

constexpr int WheelStep = 120; // one notch of a usual mouse wheel
constexpr double ScreenDotsPerMm = 96.0 / 25.4;

QPushButton *button(const QString &text, const char *name, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    // Enter in the page box jumps to the page; it must not press a button as well.
    b->setAutoDefault(false);
    return b;
}

} // namespace

ReportPreview::ReportPreview(const ReportDocument &document, QWidget *parent)
    : ReportPreview(document, Actions{}, parent)
{
}

ReportPreview::ReportPreview(const ReportDocument &document, Actions actions, QWidget *parent)
    : QDialog(parent), m_doc(document)
{
    setObjectName(QStringLiteral("ReportPreview"));
    setWindowTitle(QStringLiteral("Previzualizare - %1").arg(document.title));
    build(actions);
    resize(1100, 820);
    showPage(0);
}

void ReportPreview::build(const Actions &actions)
{
    m_first = button(QStringLiteral("|< P&rima"), "FirstBtn", this);
    m_prev = button(QStringLiteral("< In&apoi"), "PrevBtn", this);
    m_next = button(QStringLiteral("I&nainte >"), "NextBtn", this);
    m_last = button(QStringLiteral("&Ultima >|"), "LastBtn", this);

    m_pageBox = new PageNumberBox(this);
    m_pageBox->setObjectName(QStringLiteral("PageBox"));
    m_pageBox->setPrefix(QStringLiteral("Pagina "));
    m_pageBox->setRange(1, std::max(1, pageCount()));
    m_pageBox->setSuffix(QStringLiteral(" din %1").arg(pageCount()));
    // The page changes when the number is confirmed (Enter, leaving the box, the arrows),
    // not on every digit typed.
    m_pageBox->setKeyboardTracking(false);
    m_pageBox->setAccelerated(true);
    auto *pageLabel = new QLabel(QStringLiteral("&Salt la:"), this);
    pageLabel->setBuddy(m_pageBox);

    m_zoom = new QComboBox(this);
    m_zoom->setObjectName(QStringLiteral("ZoomBox"));
    m_zoom->addItem(QStringLiteral("Latimea paginii"), 0.0);
    m_zoom->addItem(QStringLiteral("Pagina intreaga"), 0.0);
    for (int z : {50, 75, 100, 125, 150, 200})
        m_zoom->addItem(QStringLiteral("%1%").arg(z), z / 100.0);
    m_zoom->setCurrentIndex(int(Fit::PageWidth));
    auto *zoomLabel = new QLabel(QStringLiteral("&Zoom:"), this);
    zoomLabel->setBuddy(m_zoom);

    QPushButton *print = button(QStringLiteral("&Tipareste..."), "PrintBtn", this);
    QPushButton *pdf = button(QStringLiteral("Salveaza &PDF..."), "PdfBtn", this);
    QPushButton *close = button(QStringLiteral("&Inchide"), "CloseBtn", this);
    print->setEnabled(bool(actions.print));
    pdf->setEnabled(bool(actions.savePdf));

    auto *bar = new QHBoxLayout;
    bar->addWidget(m_first);
    bar->addWidget(m_prev);
    bar->addWidget(m_next);
    bar->addWidget(m_last);
    bar->addSpacing(12);
    bar->addWidget(pageLabel);
    bar->addWidget(m_pageBox);
    bar->addStretch();
    bar->addWidget(zoomLabel);
    bar->addWidget(m_zoom);
    bar->addSpacing(12);
    bar->addWidget(print);
    bar->addWidget(pdf);
    bar->addWidget(close);

    m_image = new QLabel;
    m_image->setObjectName(QStringLiteral("PreviewPage"));
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("PreviewScroll"));
    m_scroll->setWidget(m_image);
    m_scroll->setAlignment(Qt::AlignHCenter);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->viewport()->installEventFilter(this);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_scroll, 1);

    connect(m_first, &QPushButton::clicked, this, [this] { showPage(0); });
    connect(m_prev, &QPushButton::clicked, this, [this] { turn(-1); });
    connect(m_next, &QPushButton::clicked, this, [this] { turn(1); });
    connect(m_last, &QPushButton::clicked, this, [this] { showPage(pageCount() - 1); });
    connect(m_pageBox, &QSpinBox::valueChanged, this, [this](int value) { showPage(value - 1); });
    connect(m_zoom, &QComboBox::currentIndexChanged, this, [this] { refreshImage(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    if (actions.print)
        connect(print, &QPushButton::clicked, this, [this, run = actions.print] { run(this); });
    if (actions.savePdf)
        connect(pdf, &QPushButton::clicked, this, [this, run = actions.savePdf] { run(this); });

    // Page keys turn pages wherever the focus is, except Home/End while typing a number.
    const std::pair<QKeySequence, std::function<void()>> keys[] = {
        {QKeySequence(Qt::Key_PageDown), [this] { turn(1); }},
        {QKeySequence(Qt::Key_PageUp), [this] { turn(-1); }},
        {QKeySequence(Qt::Key_Home), [this] { showPage(0); }},
        {QKeySequence(Qt::Key_End), [this] { showPage(pageCount() - 1); }},
        {QKeySequence(Qt::CTRL | Qt::Key_Home), [this] { showPage(0); }},
        {QKeySequence(Qt::CTRL | Qt::Key_End), [this] { showPage(pageCount() - 1); }},
    };
    for (const auto &[key, run] : keys) {
        auto *shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, this, run);
    }
    m_scroll->setFocus();
}

QSizeF ReportPreview::sheetPixelsAtOne() const
{
    return QSizeF(m_doc.sheetMm.width() * ScreenDotsPerMm, m_doc.sheetMm.height() * ScreenDotsPerMm);
}

ReportPreview::Fit ReportPreview::fit() const
{
    switch (m_zoom->currentIndex()) {
    case int(Fit::PageWidth):
        return Fit::PageWidth;
    case int(Fit::WholePage):
        return Fit::WholePage;
    default:
        return Fit::Fixed;
    }
}

double ReportPreview::zoom() const
{
    const QSizeF sheet = sheetPixelsAtOne();
    if (fit() == Fit::Fixed || sheet.isEmpty())
        return m_zoom->currentData().toDouble() > 0 ? m_zoom->currentData().toDouble() : 1.0;
    // Room for the page inside the scroll area, less a small border and, for the
    // width, the vertical scroll bar a tall page brings.
    const QSize room = m_scroll->maximumViewportSize() - QSize(8, 8);
    const double byWidth = (room.width() - (fit() == Fit::PageWidth
                                                ? m_scroll->verticalScrollBar()->sizeHint().width()
                                                : 0))
        / sheet.width();
    const double byHeight = room.height() / sheet.height();
    const double z = fit() == Fit::PageWidth ? byWidth : std::min(byWidth, byHeight);
    return std::clamp(z, 0.1, 8.0);
}

void ReportPreview::setFit(Fit fit)
{
    if (fit != Fit::Fixed)
        m_zoom->setCurrentIndex(int(fit));
}

void ReportPreview::setZoomPercent(int percent)
{
    const int index = m_zoom->findData(percent / 100.0);
    if (index >= 0)
        m_zoom->setCurrentIndex(index);
}

QImage ReportPreview::renderPage(int page, double zoom) const
{
    const double dotsPerMm = ScreenDotsPerMm * zoom;
    const QSize size(qRound(m_doc.sheetMm.width() * dotsPerMm), qRound(m_doc.sheetMm.height() * dotsPerMm));
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    ReportPainter paint(m_doc, dotsPerMm);
    paint.paintPage(painter, page);
    return image;
}

void ReportPreview::turn(int pages)
{
    showPage(m_page + pages);
}

void ReportPreview::showPage(int page)
{
    const int count = pageCount();
    m_page = std::clamp(page, 0, std::max(0, count - 1));
    {
        const QSignalBlocker block(m_pageBox);
        m_pageBox->setValue(m_page + 1);
    }
    m_first->setEnabled(m_page > 0);
    m_prev->setEnabled(m_page > 0);
    m_next->setEnabled(m_page + 1 < count);
    m_last->setEnabled(m_page + 1 < count);
    m_wheelRemainder = 0;
    refreshImage();
    m_scroll->verticalScrollBar()->setValue(0);
}

void ReportPreview::refreshImage()
{
    m_shownZoom = zoom();
    const QImage image = renderPage(m_page, m_shownZoom);
    m_image->setPixmap(QPixmap::fromImage(image));
    m_image->resize(image.size());
}

void ReportPreview::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    // A fitted zoom follows the window's size.
    if (fit() != Fit::Fixed && std::abs(zoom() - m_shownZoom) > 1e-3)
        refreshImage();
}

bool ReportPreview::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_scroll->viewport() && event->type() == QEvent::Wheel) {
        // The wheel scrolls a tall page; past its top or bottom it turns the page.
        auto *wheel = static_cast<QWheelEvent *>(event);
        if (wheel->modifiers() & Qt::ControlModifier)
            return false;
        QScrollBar *bar = m_scroll->verticalScrollBar();
        const int delta = wheel->angleDelta().y();
        const bool atTop = bar->value() <= bar->minimum();
        const bool atBottom = bar->value() >= bar->maximum();
        if ((delta < 0 && !atBottom) || (delta > 0 && !atTop)) {
            m_wheelRemainder = 0;
            return false;
        }
        m_wheelRemainder += delta;
        const int notches = m_wheelRemainder / WheelStep;
        if (notches != 0) {
            m_wheelRemainder -= notches * WheelStep;
            const int before = m_page;
            const int remainder = m_wheelRemainder;
            showPage(m_page - notches);
            m_wheelRemainder = remainder;
            // Going back lands at the bottom of the previous page, as when scrolling on.
            if (m_page < before)
                bar->setValue(bar->maximum());
        }
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
