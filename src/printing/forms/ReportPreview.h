#pragma once

#include "printing/ReportDocument.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QSpinBox;

// The on-screen preview of a laid-out report: one page at a time, painted by the same
// painter as the PDF and the printer. Pages are turned with the buttons, PageUp/PageDown,
// Home/End and the mouse wheel, or reached at once through the page box; the zoom fits
// the page's width, the whole page, or a fixed scale. The preview also prints the report
// and saves it as PDF, through the actions its caller gives it.
class ReportPreview : public QDialog
{
    Q_OBJECT

public:
    // What the preview's own buttons do; a button without its action stays disabled.
    struct Actions
    {
        std::function<void(QWidget *owner)> print;
        std::function<void(QWidget *owner)> savePdf;
    };

    // Zoom entries of the zoom box, in this order, then the fixed scales.
    enum class Fit { PageWidth, WholePage, Fixed };

    explicit ReportPreview(const ReportDocument &document, QWidget *parent = nullptr);
    ReportPreview(const ReportDocument &document, Actions actions, QWidget *parent = nullptr);

    // 0-based; the page box shows it 1-based.
    int currentPage() const { return m_page; }
    int pageCount() const { return m_doc.pageCount(); }
    void showPage(int page);

    Fit fit() const;
    // The zoom in force (1.0 = true size on a 96 dpi screen), fitted ones included.
    double zoom() const;
    // Picks a zoom entry: a fit, or a fixed scale in percent (50 … 200).
    void setFit(Fit fit);
    void setZoomPercent(int percent);

    // The page as shown, for a zoom factor.
    QImage renderPage(int page, double zoom) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void build(const Actions &actions);
    void turn(int pages);
    void refreshImage();
    QSizeF sheetPixelsAtOne() const;

    const ReportDocument &m_doc;
    int m_page = 0;
    int m_wheelRemainder = 0;
    double m_shownZoom = 0;
    QLabel *m_image = nullptr;
    QSpinBox *m_pageBox = nullptr;
    QPushButton *m_first = nullptr;
    QPushButton *m_prev = nullptr;
    QPushButton *m_next = nullptr;
    QPushButton *m_last = nullptr;
    QComboBox *m_zoom = nullptr;
    QScrollArea *m_scroll = nullptr;
};
