#include "batch/ui/SelDirDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileIconProvider>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStorageInfo>
#include <QTreeView>

#include "batch/FolderScan.h"
#include "common/Named.h"
#include "common/PathText.h"
#include "common/ui/CenterOnScreen.h"
#include "settings/Texts.h"

namespace sm {

namespace {

constexpr int kClientWidth = 334;
constexpr int kClientHeight = 241;

// Where removable and extra media are mounted on this platform.
bool IsMediaMount(const QString& rootPath)
{
    for (const char* base : {"/media/", "/run/media/", "/mnt/"})
        if (rootPath.startsWith(QLatin1String(base)))
            return true;
    return false;
}

}  // namespace

TfrmSelDir::TfrmSelDir(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint)
{
    using namespace lang;
    setObjectName(QStringLiteral("frmSelDir"));
    setWindowTitle(kSelDirCaption);
    setFixedSize(kClientWidth, kClientHeight);

    auto* driveLabel = new QLabel(kLbSelectDrive, this);
    driveLabel->setGeometry(8, 6, 318, 18);
    DriveList = Named(new QComboBox(this), "DriveList");
    DriveList->setGeometry(8, 24, 318, 24);
    driveLabel->setBuddy(DriveList);

    folders_ = new QFileSystemModel(this);
    folders_->setFilter(QDir::Dirs | QDir::NoDotAndDotDot);
    TreeViewMain = Named(new QTreeView(this), "TreeViewMain");
    TreeViewMain->setGeometry(8, 52, 318, 104);
    TreeViewMain->setModel(folders_);
    TreeViewMain->setHeaderHidden(true);
    for (int column = 1; column < folders_->columnCount(); ++column)
        TreeViewMain->hideColumn(column);

    auto* filterLabel = new QLabel(kLbFilterType, this);
    filterLabel->setGeometry(8, 160, 200, 18);
    cbFilterType = Named(new QComboBox(this), "cbFilterType");
    cbFilterType->setGeometry(8, 178, 150, 24);
    cbFilterType->setEditable(true);
    cbFilterType->setInsertPolicy(QComboBox::NoInsert);
    cbFilterType->addItems(ScanMasks());
    cbFilterType->setCurrentIndex(0);
    filterLabel->setBuddy(cbFilterType);
    cbInSubDir = Named(new QCheckBox(kCbInSubDir, this), "cbInSubDir");
    cbInSubDir->setGeometry(170, 180, 156, 20);

    btnOK = Named(new QPushButton(kBtnOK, this), "btnOK");
    btnOK->setGeometry(160, 208, 80, 26);
    btnOK->setDefault(true);
    btnCancel = Named(new QPushButton(kBtnCancel, this), "btnCancel");
    btnCancel->setGeometry(246, 208, 80, 26);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    fillPlaces();
    connect(DriveList, &QComboBox::activated, this, &TfrmSelDir::showPlace);
    showPlace(0);
    // The folders are read in the background, and the rows read in and sorted move the
    // folder set down; it is brought back into view until the user takes the tree in hand.
    const auto reveal = [this] { revealSetFolder(); };
    connect(folders_, &QFileSystemModel::rowsInserted, this, reveal, Qt::QueuedConnection);
    connect(folders_, &QFileSystemModel::layoutChanged, this, reveal, Qt::QueuedConnection);
    for (QObject* handle : {static_cast<QObject*>(TreeViewMain), static_cast<QObject*>(TreeViewMain->viewport()),
                            static_cast<QObject*>(TreeViewMain->verticalScrollBar())})
        handle->installEventFilter(this);
}

bool TfrmSelDir::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonPress || type == QEvent::Wheel || type == QEvent::KeyPress)
        setFolder_.clear();
    return QDialog::eventFilter(watched, event);
}

void TfrmSelDir::fillPlaces()
{
    const QFileIconProvider icons;
    DriveList->addItem(icons.icon(QFileIconProvider::Folder), QDir::homePath(), QDir::homePath());
    DriveList->addItem(icons.icon(QFileIconProvider::Drive), QDir::rootPath(), QDir::rootPath());
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady() || !IsMediaMount(volume.rootPath()))
            continue;
        const QString name = volume.displayName();
        const QString text
            = name == volume.rootPath() ? name : name + QStringLiteral(" (") + volume.rootPath() + QLatin1Char(')');
        DriveList->addItem(icons.icon(QFileIconProvider::Drive), text, volume.rootPath());
    }
}

void TfrmSelDir::showPlace(int index)
{
    const QString place = DriveList->itemData(index).toString();
    DriveList->setCurrentIndex(index);
    setFolder_.clear();
    folders_->setRootPath(place);
    TreeViewMain->setRootIndex(folders_->index(place));
    TreeViewMain->setCurrentIndex({});
}

void TfrmSelDir::SetFolder(const QString& folder)
{
    const QString target = QDir::cleanPath(QDir::fromNativeSeparators(ExistingStartFolder(folder)));
    // The place that holds the folder most closely: a medium or the home folder
    // before the root.
    int best = 0;
    qsizetype bestLength = -1;
    for (int i = 0; i < DriveList->count(); ++i) {
        const QString place = QDir::cleanPath(DriveList->itemData(i).toString());
        const bool holds
            = target == place || target.startsWith(WithTrailingSeparator(place)) || place == QDir::rootPath();
        if (holds && place.size() > bestLength) {
            best = i;
            bestLength = place.size();
        }
    }
    showPlace(best);
    const QModelIndex current = folders_->index(target);
    if (!current.isValid() || current == TreeViewMain->rootIndex())
        return;
    setFolder_ = target;
    TreeViewMain->setCurrentIndex(current);
    revealSetFolder();
}

void TfrmSelDir::revealSetFolder()
{
    if (setFolder_.isEmpty())
        return;
    const QModelIndex current = folders_->index(setFolder_);
    if (!current.isValid() || current != TreeViewMain->currentIndex())
        return;
    for (QModelIndex up = current.parent(); up.isValid() && up != TreeViewMain->rootIndex(); up = up.parent())
        TreeViewMain->expand(up);
    TreeViewMain->scrollTo(current, QAbstractItemView::PositionAtCenter);
}

QString TfrmSelDir::CurrentFolder() const
{
    const QModelIndex current = TreeViewMain->currentIndex();
    const QString folder
        = current.isValid() ? folders_->filePath(current) : DriveList->itemData(DriveList->currentIndex()).toString();
    return QDir::toNativeSeparators(folder);
}

FolderChoice TfrmSelDir::Choice() const
{
    return {CurrentFolder(), cbFilterType->currentText(), cbInSubDir->isChecked()};
}

void TfrmSelDir::showEvent(QShowEvent* event)
{
    CenterOnScreen(*this);
    QDialog::showEvent(event);
    revealSetFolder();
}

std::optional<FolderChoice> RunSelDir(const QString& initDir, QWidget* parent)
{
    TfrmSelDir dialog(parent);
    dialog.SetFolder(initDir);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Choice();
}

}  // namespace sm
