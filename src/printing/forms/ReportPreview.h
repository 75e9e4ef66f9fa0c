#pragma once

#include "printing/ReportDocument.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;

// The on-screen preview of a laid-out report: one page at a time, with page and zoom
// controls. Pages are painted by the same painter as the PDF and the printer.
class ReportPreview : public QDialog
{
    Q_OBJECT

public:
    explicit ReportPreview(const ReportDocument &document, QWidget *parent = nullptr);

    int currentPage() const { return m_page; }
    void showPage(int page);
    // The page as shown, for a zoom factor (1.0 = true size on a 96 dpi screen).
    QImage renderPage(int page, double zoom) const;

private:
    const ReportDocument &m_doc;
    int m_page = 0;
    QLabel *m_image;
    QLabel *m_pageLabel;
    QPushButton *m_prev;
    QPushButton *m_next;
    QComboBox *m_zoom;
    QScrollArea *m_scroll;
};
