#include "batch/ui/BatchWindow.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyle>
#include <QToolButton>
#include <QUrl>

#include <algorithm>
#include <utility>

#include "batch/ui/SelDirDialog.h"
#include "common/Named.h"
#include "common/ScopeExit.h"
#include "common/ui/CenterOnScreen.h"
#include "settings/GuardedCommand.h"
#include "settings/Prompts.h"
#include "settings/SavedFilesReport.h"
#include "settings/Settings.h"
#include "settings/Texts.h"
#include "settings/VideoOpenFilters.h"
#include "settings/WriteFailureText.h"
#include "video/DelayWithMessages.h"

namespace sm {

namespace {

constexpr int kClientWidth = 458;
constexpr int kClientHeight = 295;
constexpr int kPageHeight = 252;

// Qt shows a bar whose range is empty as busy; a run of nothing leaves it empty.
void SetBarRange(QProgressBar* bar, int maximum)
{
    bar->setRange(0, std::max(maximum, 1));
    bar->setValue(0);
}

}  // namespace

TfrmBatch::TfrmBatch(AppSettings& settings, Prompts& prompts, BatchMainParts mainParts, QWidget* parent,
                     FolderChooser chooseFolder)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint),
      settings_(settings),
      prompts_(prompts),
      main_(std::move(mainParts)),
      chooseFolder_(chooseFolder ? std::move(chooseFolder) : RunSelDir)
{
    setObjectName(QStringLiteral("frmBatch"));
    setWindowTitle(lang::kBatchCaption);
    setFixedSize(kClientWidth, kClientHeight);

    // The pages change by the buttons only; they have no tabs.
    pcMain = Named(new QStackedWidget(this), "pcMain");
    pcMain->setGeometry(0, 0, kClientWidth, kPageHeight);
    pcMain->addWidget(createFilesPage());
    pcMain->addWidget(createProgressPage());
    createButtons();
    showFilesPage();
    cbSaveDirectly->setChecked(settings_.SaveDirectly);
    connect(cbSaveDirectly, &QCheckBox::clicked, this, &TfrmBatch::cbSaveDirectlyClick);

    // Files dropped anywhere on the window join the list: no child takes a drop itself.
    for (QWidget* child : findChildren<QWidget*>())
        child->setAcceptDrops(false);
    setAcceptDrops(true);
}

QWidget* TfrmBatch::createFilesPage()
{
    using namespace lang;
    auto* page = Named(new QWidget, "tsFiles");
    page->setWindowTitle(kBatchPageFiles);

    btnAdd = Named(new QToolButton(page), "btnAdd");
    btnAdd->setGeometry(8, 8, 28, 26);
    btnAdd->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    btnAdd->setToolTip(kHintAddFiles);
    connect(btnAdd, &QToolButton::clicked, this, [this] { guarded([this] { btnAddClick(); }); });

    pMenuS = Named(new QMenu(page), "pMenuS");
    QAction* selectFiles = Named(pMenuS->addAction(kMnuSelectFiles), "mnuSelectFiles");
    QAction* selectFolder = Named(pMenuS->addAction(kMnuSelectFolder), "mnuSelectFolder");
    connect(selectFiles, &QAction::triggered, this, [this] { guarded([this] { btnAddClick(); }); });
    connect(selectFolder, &QAction::triggered, this, [this] { guarded([this] { mnuSelectFolderClick(); }); });
    JvSpeedButton1 = Named(new QToolButton(page), "JvSpeedButton1");
    JvSpeedButton1->setGeometry(36, 8, 14, 26);
    JvSpeedButton1->setArrowType(Qt::DownArrow);
    JvSpeedButton1->setMenu(pMenuS);
    JvSpeedButton1->setPopupMode(QToolButton::InstantPopup);
    JvSpeedButton1->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; }"));

    btnRemove = Named(new QToolButton(page), "btnRemove");
    btnRemove->setGeometry(56, 8, 28, 26);
    btnRemove->setIcon(style()->standardIcon(QStyle::SP_DialogDiscardButton));
    btnRemove->setToolTip(kHintRemoveItems);
    connect(btnRemove, &QToolButton::clicked, this, [this] { guarded([this] { btnRemoveClick(); }); });

    clistFiles = Named(new QListView(page), "clistFiles");
    clistFiles->setGeometry(8, 40, kClientWidth - 16, 136);
    clistFiles->setModel(&files_);
    clistFiles->setSelectionMode(QAbstractItemView::ExtendedSelection);
    clistFiles->setUniformItemSizes(true);
    clistFiles->installEventFilter(this);

    cbSaveDirectly = Named(new QCheckBox(kCbSaveDirectly, page), "cbSaveDirectly");
    cbSaveDirectly->setGeometry(8, 182, kClientWidth - 16, 20);
    cbSaveDirectly->setChecked(true);
    cbThumbnails = Named(new QCheckBox(kCbThumbnails, page), "cbThumbnails");
    cbThumbnails->setGeometry(8, 204, kClientWidth - 16, 20);
    cbThumbnails->setChecked(true);

    auto* notice = Named(new QLabel(kBatchNotice, page), "lbNotice");
    notice->setGeometry(8, 228, kClientWidth - 16, 20);
    QPalette grey = notice->palette();
    grey.setColor(QPalette::WindowText, Qt::gray);
    notice->setPalette(grey);
    return page;
}

QWidget* TfrmBatch::createProgressPage()
{
    using namespace lang;
    auto* page = Named(new QWidget, "tsProgress");
    page->setWindowTitle(kBatchPageProgress);
    const int width = kClientWidth - 32;

    (new QLabel(kLbBatchFiles, page))->setGeometry(16, 16, width, 18);
    FileProgress = Named(new QProgressBar(page), "FileProgress");
    FileProgress->setGeometry(16, 36, width, 20);
    SetBarRange(FileProgress, 0);
    FileProgress->setTextVisible(false);
    (new QLabel(kLbBatchPictures, page))->setGeometry(16, 68, width, 18);
    PicProgress = Named(new QProgressBar(page), "PicProgress");
    PicProgress->setGeometry(16, 88, width, 20);
    SetBarRange(PicProgress, 0);
    PicProgress->setTextVisible(false);

    lbStatusMes = Named(new QLabel(page), "lbStatusMes");
    lbStatusMes->setGeometry(16, 124, width, 40);
    lbStatusMes->setWordWrap(true);
    lbFilename = Named(new QLabel(page), "lbFilename");
    lbFilename->setGeometry(16, 172, width, 40);
    lbFilename->setWordWrap(true);
    return page;
}

void TfrmBatch::createButtons()
{
    using namespace lang;
    const int top = kPageHeight + 8;
    btnList = Named(new QPushButton(kBtnFileList, this), "btnList");
    btnList->setGeometry(8, top, 96, 27);
    btnList->setEnabled(false);
    connect(btnList, &QPushButton::clicked, this, [this] { guarded([this] { btnListClick(); }); });

    btnProcess = Named(new QPushButton(kBtnProcess, this), "btnProcess");
    btnProcess->setGeometry(kClientWidth - 3 * 86 - 8 + 6, top, 80, 27);
    btnProcess->setDefault(true);
    connect(btnProcess, &QPushButton::clicked, this, [this] { guarded([this] { btnProcessClick(); }); });
    btnAbort = Named(new QPushButton(kBtnAbort, this), "btnAbort");
    btnAbort->setGeometry(kClientWidth - 2 * 86 - 8 + 6, top, 80, 27);
    btnAbort->setEnabled(false);
    connect(btnAbort, &QPushButton::clicked, this, &TfrmBatch::btnAbortClick);
    btnClose = Named(new QPushButton(kBtnClose, this), "btnClose");
    btnClose->setGeometry(kClientWidth - 86 - 8 + 6, top, 80, 27);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::close);
}

void TfrmBatch::guarded(const std::function<void()>& command) { RunGuarded(prompts_, command); }

void TfrmBatch::AddFiles(const QStringList& paths) { files_.AddFiles(paths); }

void TfrmBatch::showFilesPage() { pcMain->setCurrentIndex(0); }

void TfrmBatch::btnAddClick()
{
    showFilesPage();
    AddFiles(prompts_.OpenFiles(QString(), VideoOpenFilters(), QString()));
}

void TfrmBatch::mnuSelectFolderClick()
{
    if (const std::optional<FolderChoice> choice = chooseFolder_(settings_.InitDir, this))
        AddChosenFolder(*choice, settings_.InitDir, files_);
}

void TfrmBatch::btnRemoveClick()
{
    showFilesPage();
    QList<int> rows;
    for (const QModelIndex& index : clistFiles->selectionModel()->selectedIndexes())
        rows.append(index.row());
    files_.RemoveRows(rows);
}

void TfrmBatch::btnListClick() { showFilesPage(); }

void TfrmBatch::btnProcessClick()
{
    if (files_.Count() == 0)
        return;
    closeAfterRun_ = false;
    pcMain->setCurrentIndex(1);
    btnList->setEnabled(true);
    QCoreApplication::processEvents();
    std::vector<BatchItem> items;
    for (int row = 0; row < files_.Count(); ++row)
        items.push_back({files_.Path(row), files_.IsTicked(row)});
    const BatchChoices choices{cbSaveDirectly->isChecked(), cbThumbnails->isChecked()};
    QString prefix = main_.Prefix();
    bool started = false;
    bool loadTried = false;
    BatchRunEvents events = runEvents();
    events.VideoStarted = [this, &loadTried](int, const QString& path) {
        loadTried = true;
        lbFilename->setText(path);
    };
    events.RunStarted = [this, &started](int itemCount) {
        started = true;
        btnProcess->setEnabled(false);
        btnAbort->setEnabled(true);
        btnClose->setEnabled(false);
        SetBarRange(FileProgress, itemCount);
        setStatusRed(false);
    };
    BatchRunResult result;
    {
        const ScopeExit closing([&] {
            main_.SetPrefix(prefix);
            if (loadTried && main_.VideoOpened)
                main_.VideoOpened(main_.Session.Engine().IsActive());
            if (started)
                finishRun();
        });
        result
            = RunBatch(main_.Session, *this, control_, settings_, main_.FileEncoders, prefix, items, choices, events);
    }
    reportRun(result);
}

BatchRunEvents TfrmBatch::runEvents()
{
    BatchRunEvents events;
    events.ShotsPlanned = [this](int shotCount) { SetBarRange(PicProgress, shotCount); };
    events.ShotDone = [this](int shotsDone) { PicProgress->setValue(shotsDone); };
    events.VideoDone = [this](int index) { FileProgress->setValue(index + 1); };
    events.Status = [this](const QString& text, bool red) {
        lbStatusMes->setText(text);
        if (red)
            setStatusRed(true);
    };
    events.ConfirmAbort = [this] { return prompts_.Confirm(lang::kConfirmBatchAbort); };
    events.AddToList = main_.AddShot;
    return events;
}

void TfrmBatch::finishRun()
{
    btnProcess->setEnabled(true);
    btnAbort->setEnabled(false);
    btnClose->setEnabled(true);
    lbFilename->clear();
}

void TfrmBatch::reportRun(const BatchRunResult& result)
{
    // An abort the user confirmed is no failure, but files that failed before it are.
    const QString failed
        = result.WriteFailures > 0
              ? lang::kBatchFilesNotSaved.arg(result.WriteFailures).arg(WriteFailureText(result.FirstWriteError))
              : QString();
    if (result.Outcome == BatchRunOutcome::Completed && cbSaveDirectly->isChecked())
        ReportSavedFiles(prompts_, result.SavedCount, failed, settings_.OutputFolder);
    else if (!failed.isEmpty())
        prompts_.Error(failed);
    // A close asked for during the run takes effect now that it has ended.
    if (std::exchange(closeAfterRun_, false))
        QDialog::reject();
}

void TfrmBatch::setStatusRed(bool red)
{
    QPalette colours = palette();
    if (red)
        colours.setColor(QPalette::WindowText, Qt::red);
    lbStatusMes->setPalette(colours);
}

void TfrmBatch::btnAbortClick() { control_.AbortRequested = true; }

void TfrmBatch::reject()
{
    // The window closes when the run has ended: at once when the user confirms the
    // abort, after the last video when the run goes on.
    if (control_.Running) {
        closeAfterRun_ = true;
        btnAbortClick();
        return;
    }
    QDialog::reject();
}

void TfrmBatch::ProcessMessages() { QCoreApplication::processEvents(); }

void TfrmBatch::Wait(int milliseconds)
{
    if (main_.Wait)
        main_.Wait(milliseconds);
    else
        DelayWithMessages(milliseconds);
}

void TfrmBatch::cbSaveDirectlyClick(bool checked) { settings_.SaveDirectly = checked; }

void TfrmBatch::showEvent(QShowEvent* event)
{
    CenterOnScreen(*this);
    QDialog::showEvent(event);
}

void TfrmBatch::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TfrmBatch::dropEvent(QDropEvent* event)
{
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths.append(QDir::toNativeSeparators(url.toLocalFile()));
    event->acceptProposedAction();
    // Whatever a drop carries, a failure to add it never reaches the user.
    try {
        AddFiles(paths);
    } catch (...) {
    }
}

bool TfrmBatch::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == clistFiles && event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Delete && !key->isAutoRepeat()) {
            guarded([this] { btnRemoveClick(); });
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace sm
