#include "printing/forms/ReportPreview.h"

#include "printing/ReportPainter.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

ReportPreview::ReportPreview(const ReportDocument &document, QWidget *parent)
    : QDialog(parent), m_doc(document)
{
    setObjectName(QStringLiteral("ReportPreview"));
    setWindowTitle(QStringLiteral("Previzualizare - %1").arg(document.title));
    m_prev = new QPushButton(QStringLiteral("< &Inapoi"), this);
    m_prev->setObjectName(QStringLiteral("PrevBtn"));
    m_next = new QPushButton(QStringLiteral("&Inainte >"), this);
    m_next->setObjectName(QStringLiteral("NextBtn"));
    m_pageLabel = new QLabel(this);
    m_pageLabel->setObjectName(QStringLiteral("PageLabel"));
    m_zoom = new QComboBox(this);
    m_zoom->setObjectName(QStringLiteral("ZoomBox"));
    for (int z : {50, 75, 100, 125, 150, 200})
        m_zoom->addItem(QStringLiteral("%1%").arg(z), z / 100.0);
    m_zoom->setCurrentIndex(1); // 75%: a landscape A4 page fits the window's width
    auto *close = new QPushButton(QStringLiteral("&Inchide"), this);
    close->setObjectName(QStringLiteral("CloseBtn"));

    auto *bar = new QHBoxLayout;
    bar->addWidget(m_prev);
    bar->addWidget(m_next);
    bar->addWidget(m_pageLabel);
    bar->addStretch();
    bar->addWidget(m_zoom);
    bar->addWidget(close);

    m_image = new QLabel;
    m_image->setObjectName(QStringLiteral("PreviewPage"));
    m_scroll = new QScrollArea(this);
    m_scroll->setWidget(m_image);
    m_scroll->setAlignment(Qt::AlignHCenter);
    m_scroll->setBackgroundRole(QPalette::Dark);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_scroll, 1);

    connect(m_prev, &QPushButton::clicked, this, [this] { showPage(m_page - 1); });
    connect(m_next, &QPushButton::clicked, this, [this] { showPage(m_page + 1); });
    connect(m_zoom, &QComboBox::currentIndexChanged, this, [this] { showPage(m_page); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    resize(1100, 820);
    showPage(0);
}

QImage ReportPreview::renderPage(int page, double zoom) const
{
    const double dotsPerMm = 96.0 / 25.4 * zoom;
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

void ReportPreview::showPage(int page)
{
    const int count = m_doc.pageCount();
    m_page = std::clamp(page, 0, std::max(0, count - 1));
    const QImage image = renderPage(m_page, m_zoom->currentData().toDouble());
    m_image->setPixmap(QPixmap::fromImage(image));
    m_image->resize(image.size());
    m_pageLabel->setText(QStringLiteral("Pagina %1 din %2").arg(m_page + 1).arg(count));
    m_prev->setEnabled(m_page > 0);
    m_next->setEnabled(m_page + 1 < count);
}
