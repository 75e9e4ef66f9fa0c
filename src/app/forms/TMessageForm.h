#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class TMessageForm;
}

// The borderless "please wait" window: an icon and a coloured message panel, centred on
// the screen. Shown and destroyed by ScreenWorkMessage.
class TMessageForm : public QWidget
{
    Q_OBJECT

public:
    static constexpr int BaseWidth = 325;
    static constexpr int BaseHeight = 39;
    // Added to text and icon width when a long text widens the window.
    static constexpr int WideningMargin = 18;

    explicit TMessageForm(QWidget *parent = nullptr);
    ~TMessageForm() override;

    // Puts the text into the message panel, widening and re-centring the window when the
    // text does not fit, and paints at once.
    void setMessage(const QString &text);
    QString message() const;

    // The width the window takes for a text of textWidth pixels with the given icon width
    // on a screen screenWidth wide: the base width while the text fits the panel.
    static int widthFor(int textWidth, int iconWidth, int panelWidth, int screenWidth);

private:
    QRect screenArea() const;

    std::unique_ptr<Ui::TMessageForm> ui;
};
