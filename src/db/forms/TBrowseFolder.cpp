#include "db/forms/TBrowseFolder.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeView>
#include <QVBoxLayout>

#include <memory>

namespace {

// The preselected folder without its trailing separator (a root stays as it is).
QString withoutTrailingSeparator(QString path)
{
    path = QDir::fromNativeSeparators(path.trimmed());
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')) && !path.endsWith(QLatin1String(":/")))
        path.chop(1);
    return path;
}

// The folder itself when it exists, else its nearest existing parent, so that a
// remembered folder that was removed still opens the tree near it.
QString nearestExisting(const QString &path)
{
    if (path.isEmpty())
        return QString();
    QFileInfo info(QDir::cleanPath(QDir(path).absolutePath()));
    while (!(info.exists() && info.isDir())) {
        const QString parent = info.absolutePath();
        if (parent == info.absoluteFilePath())
            return QString();
        info = QFileInfo(parent);
    }
    return info.absoluteFilePath();
}

} // namespace

TBrowseFolder::TBrowseFolder(QWidget *owner) : QObject(owner), m_owner(owner)
{
}

TBrowseFolder::~TBrowseFolder() = default;

void TBrowseFolder::setCustomButtonEnabled(bool on)
{
    m_customEnabled = on;
    if (m_customButton)
        m_customButton->setEnabled(on);
}

QString TBrowseFolder::shortenPath(const QString &path, int width)
{
    if (path.size() <= width)
        return path;
    const QChar separator = path.contains(QLatin1Char('\\')) && !path.contains(QLatin1Char('/'))
                                ? QLatin1Char('\\')
                                : QLatin1Char('/');
    QStringList parts = path.split(separator);
    // Fewer than three elements: nothing can go without losing the last folder name.
    if (parts.size() < 3)
        return path;
    parts[1] = QStringLiteral("...");
    while (parts.size() > 3 && parts.join(separator).size() > width)
        parts.removeAt(2);
    return parts.join(separator);
}

QString TBrowseFolder::selectedFolder() const
{
    if (!m_tree || !m_model)
        return QString();
    const QModelIndex index = m_tree->currentIndex();
    return index.isValid() ? m_model->filePath(index) : QString();
}

void TBrowseFolder::confirm(const QString &folder)
{
    if (!m_dialog)
        return;
    m_confirmed = withoutTrailingSeparator(folder);
    m_dialog->accept();
}

void TBrowseFolder::selectionChanged()
{
    const QString folder = selectedFolder();
    if (m_okButton)
        m_okButton->setEnabled(!folder.isEmpty());
    if (m_status && m_showPath)
        m_status->setText(shortenPath(QDir::toNativeSeparators(folder)));
}

void TBrowseFolder::preselect()
{
    const QString start = nearestExisting(withoutTrailingSeparator(m_directory));
    if (start.isEmpty())
        return;
    const QModelIndex index = m_model->index(start);
    if (!index.isValid())
        return;
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        m_tree->expand(parent);
    m_tree->setCurrentIndex(index);
    m_tree->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

bool TBrowseFolder::execute()
{
    QWidget *parent = m_owner ? m_owner.data() : QApplication::activeWindow();
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("BrowseFolderDlg"));
    dialog.setWindowTitle(QStringLiteral("Selectare director"));
    dialog.resize(420, 460);

    auto *layout = new QVBoxLayout(&dialog);
    auto *titleLabel = new QLabel(m_title, &dialog);
    titleLabel->setObjectName(QStringLiteral("TitleLabel"));
    titleLabel->setWordWrap(true);
    titleLabel->setVisible(!m_title.isEmpty());
    layout->addWidget(titleLabel);

    auto *status = new QLabel(&dialog);
    status->setObjectName(QStringLiteral("StatusLabel"));
    status->setFrameShape(QFrame::StyledPanel);
    status->setFrameShadow(QFrame::Sunken);
    status->setMinimumHeight(status->fontMetrics().height() + 6);
    status->setVisible(m_flags.testFlag(StatusText));
    layout->addWidget(status);

    QFileSystemModel model;
    // Folders only: a data directory is what is being chosen.
    model.setFilter(QDir::AllDirs | QDir::Drives | QDir::NoDotAndDotDot);
    model.setReadOnly(true);
    model.setRootPath(QString());

    auto *tree = new QTreeView(&dialog);
    tree->setObjectName(QStringLiteral("FolderTree"));
    tree->setModel(&model);
    tree->setHeaderHidden(true);
    for (int column = 1; column < model.columnCount(); ++column)
        tree->hideColumn(column);
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    layout->addWidget(tree, 1);

    auto *buttons = new QDialogButtonBox(&dialog);
    QPushButton *ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OkBtn"));
    ok->setDefault(true);
    QPushButton *cancel = buttons->addButton(QStringLiteral("Renunta"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

    QPushButton *custom = nullptr;
    auto *bottom = new QHBoxLayout;
    if (m_customVisible) {
        custom = new QPushButton(m_customCaption, &dialog);
        custom->setObjectName(QStringLiteral("CustomBtn"));
        custom->setAutoDefault(false);
        custom->setFixedWidth(m_customWidth > 0 ? m_customWidth : DefaultButtonWidth);
        custom->setEnabled(m_customEnabled);
        QObject::connect(custom, &QPushButton::clicked, this, [this, &dialog] {
            if (m_onCustom)
                m_onCustom(*this, &dialog);
        });
        if (m_syncCustom) {
            bottom->addWidget(custom);
        } else {
            auto *own = new QHBoxLayout;
            own->addWidget(custom);
            own->addStretch();
            layout->addLayout(own);
        }
    }
    bottom->addStretch();
    bottom->addWidget(buttons);
    layout->addLayout(bottom);

    m_dialog = &dialog;
    m_model = &model;
    m_tree = tree;
    m_status = status;
    m_okButton = ok;
    m_customButton = custom;
    m_confirmed.clear();

    QObject::connect(tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
                     [this] { selectionChanged(); });
    preselect();
    // The tree fills (and sorts) in the background: keep the preselected folder in view
    // as the rows arrive, until the user moves around the tree.
    auto follow = std::make_shared<bool>(true);
    const auto keepInView = [tree, follow] {
        const QModelIndex index = tree->currentIndex();
        if (!*follow || !index.isValid())
            return;
        for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
            tree->expand(parent);
        tree->scrollTo(index, QAbstractItemView::PositionAtCenter);
    };
    // Queued: the view sets its scroll bars up again right after announcing a new range.
    QObject::connect(tree->verticalScrollBar(), &QScrollBar::rangeChanged, tree, keepInView, Qt::QueuedConnection);
    QObject::connect(&model, &QFileSystemModel::directoryLoaded, tree, keepInView, Qt::QueuedConnection);
    QObject::connect(&model, &QFileSystemModel::layoutChanged, tree, keepInView, Qt::QueuedConnection);
    QObject::connect(&model, &QFileSystemModel::rowsInserted, tree, keepInView, Qt::QueuedConnection);
    QObject::connect(tree->verticalScrollBar(), &QScrollBar::actionTriggered, tree, [follow] { *follow = false; });
    QObject::connect(tree, &QTreeView::pressed, tree, [follow] { *follow = false; });
    QObject::connect(tree->selectionModel(), &QItemSelectionModel::currentChanged, tree,
                     [follow] { *follow = false; });
    selectionChanged();
    tree->setFocus();

    const bool accepted = dialog.exec() == QDialog::Accepted;
    QString chosen = m_confirmed.isEmpty() ? selectedFolder() : m_confirmed;

    m_dialog = nullptr;
    m_model = nullptr;
    m_tree = nullptr;
    m_status = nullptr;
    m_okButton = nullptr;
    m_customButton = nullptr;
    m_confirmed.clear();

    if (!accepted || chosen.isEmpty())
        return false;
    m_directory = QDir::toNativeSeparators(chosen);
    return true;
}
