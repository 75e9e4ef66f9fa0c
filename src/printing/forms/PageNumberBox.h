#pragma once

#include <QSpinBox>

// The preview's page box ("Pagina N din M"): a number past the last page is taken as the
// last page when confirmed, instead of its extra digits being refused one by one (typing
// "99999" into a 500-page report would otherwise jump to page 99).
class PageNumberBox : public QSpinBox
{
    Q_OBJECT
public:
    using QSpinBox::QSpinBox;

protected:
    QValidator::State validate(QString &text, int &pos) const override;
    void fixup(QString &text) const override;

private:
    // The typed number without the prefix and the suffix.
    QString number(const QString &text) const;
};
