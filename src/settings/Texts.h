#pragma once

#include <QString>

// Every text the program shows to the user, in one place.
namespace sm::lang {

inline const QString kProductName = QStringLiteral("Stillmark");
inline const QString kVersion = QStringLiteral("3.0.1");

inline const QString kConfirmDeleteShots = QStringLiteral("确定要删除这些图片吗？");
inline const QString kShotCount = QStringLiteral("已捕捉 %1 张截图");
inline const QString kShotCountLeftOut = QStringLiteral("已捕捉 %1 张截图，%2 张未能捕捉");

// ---- Application shell: main window, About box, open dialog, dialogs ----
inline const QString kUnknownError = QStringLiteral("未知错误");

// Command captions and hints.
inline const QString kActOpenVideo = QStringLiteral("打开...");
inline const QString kActSaveShots = QStringLiteral("保存截图");
inline const QString kActBatch = QStringLiteral("批量处理");
inline const QString kActMakeThumb = QStringLiteral("生成缩略图");
inline const QString kActExit = QStringLiteral("退出");
inline const QString kActAutoCapture = QStringLiteral("自动捕捉");
inline const QString kHintAutoCapture = QStringLiteral("自动捕捉一个序列");
inline const QString kActHandSnapshot = QStringLiteral("手动捕捉帧");
inline const QString kActStopCapture = QStringLiteral("停止捕捉");
inline const QString kActCaptureFrame = QStringLiteral("截图");
inline const QString kHintCaptureFrame = QStringLiteral("捕捉当前帧");
inline const QString kActRemoveSelShots = QStringLiteral("移除选定截图");
inline const QString kActRemoveAllShots = QStringLiteral("清除所有截图");
inline const QString kActPlayVideo = QStringLiteral("播放");
inline const QString kHintPlayVideo = QStringLiteral("播放视频");
inline const QString kActPauseVideo = QStringLiteral("暂停");
inline const QString kActStopVideo = QStringLiteral("停止");
inline const QString kActViewShots = QStringLiteral("图片查看器");
inline const QString kHintViewShots = QStringLiteral("查看截图");
inline const QString kActStandardOptions = QStringLiteral("标准选项");
inline const QString kActHelpManual = QStringLiteral("帮助手册");
inline const QString kActHomePage = QStringLiteral("主页");
inline const QString kActCheckUpdates = QStringLiteral("检查更新");
inline const QString kActAboutSoft = QStringLiteral("关于...");

// Tool bar captions and hints where they differ from the command's own.
inline const QString kToolOpenVideo = QStringLiteral("打开文件");
inline const QString kHintOpenVideo = QStringLiteral("打开视频");
inline const QString kToolAutoCapture = QStringLiteral("捕捉");
inline const QString kToolRemoveSelShots = QStringLiteral("移除");
inline const QString kHintSaveShots = QStringLiteral("保存所有截图");
inline const QString kToolViewShots = QStringLiteral("查看捷图");
inline const QString kToolMakeThumb = QStringLiteral("缩略图");
inline const QString kHintMakeThumb = QStringLiteral("生成缩略图");
inline const QString kToolBatch = QStringLiteral("批处理");
inline const QString kToolStandardOptions = QStringLiteral("选项");
inline const QString kHintExit = QStringLiteral("退出程序");

// Menus.
inline const QString kMenuFile = QStringLiteral("文件(&F)");
inline const QString kMenuShots = QStringLiteral("截图(&S)");
inline const QString kMenuVideo = QStringLiteral("视频(&V)");
inline const QString kMenuTools = QStringLiteral("工具(&T)");
inline const QString kMenuHelp = QStringLiteral("帮助(&H)");
inline const QString kMenuFeedback = QStringLiteral("反馈");

// Left panel.
inline const QString kTabAuto = QStringLiteral("自动");
inline const QString kTabHand = QStringLiteral("手动");
inline const QString kGroupCaptureMethod = QStringLiteral("捕捉方法");
inline const QString kRbCountFrames = QStringLiteral("捕捉");
inline const QString kLbCountFramesTail = QStringLiteral("张截图自打开的文件。");
inline const QString kRbEveryFrame = QStringLiteral("捕捉一张截图／每隔");
inline const QString kLbEveryFrameTail = QStringLiteral("秒。");
inline const QString kLbStartTime = QStringLiteral("开始时间：");
inline const QString kGroupOutput = QStringLiteral("输出设置");
inline const QString kLbOutputFolder = QStringLiteral("输出文件夹：");
inline const QString kChooseOutputFolder = QStringLiteral("请选择一个输出文件夹");
inline const QString kLbPrefix = QStringLiteral("名称前缀：");
inline const QString kDefaultPrefix = QStringLiteral("shots_");
inline const QString kLbSaveFormat = QStringLiteral("保存格式：");
inline const QString kLbJpgQuality = QStringLiteral("Jpeg 品质：");
inline const QString kLbPngCompress = QStringLiteral("Png 压缩：");
inline const QString kLbColors = QStringLiteral("使用色彩：");
inline const QString kColors16 = QStringLiteral("16 色");
inline const QString kColors256 = QStringLiteral("256 色");
inline const QString kColorsTrue16 = QStringLiteral("真彩(16位)");
inline const QString kColorsTrue24 = QStringLiteral("真彩(24位)");
inline const QString kBtnBackward = QStringLiteral("快退");
inline const QString kBtnForward = QStringLiteral("快进");

// Open-video dialog filter descriptions.
inline const QString kFilterAllVideo = QStringLiteral("所有视频文件");
inline const QString kFilterWindowsMedia = QStringLiteral("Windows 媒体文件 (*.wmv;*.asf;*.asx;*.wvx;*.wm;*.wmx)");
inline const QString kFilterRealMedia = QStringLiteral(
    "RealMedia 文件 (*.ra;*.rm;*.rmj;*.rms;*.mnd;*.ram;*.rmm;*.r1m;*.rom;*.mns;*.rp;*.rtx;*.rt;*.rmx)");
inline const QString kFilterMpeg = QStringLiteral("MPEG 文件 (*.mpg;*.mpeg;*.mpa;*.mp2;*.dat)");
inline const QString kFilterAvi = QStringLiteral("AVI 文件 (*.avi)");
inline const QString kFilterFlash = QStringLiteral("Flash 视频 (*.flv)");
inline const QString kFilterDvd = QStringLiteral("DVD 文件 (*.vob)");
inline const QString kFilterQuickTime = QStringLiteral("QuickTime 文件 (*.mov;*.qt)");
inline const QString kFilterAllFiles = QStringLiteral("所有文件 (*.*)");

// About box and the addresses the help commands hand to the desktop.
inline const QString kAboutTitle = QStringLiteral("关于");
inline const QString kAboutNotice = QStringLiteral("本软件为免费软件，欢迎使用和传播。");
inline const QString kAboutClose = QStringLiteral("关闭(&C)");
inline const QString kHomePageUrl = QStringLiteral("https://stillmark.example.org/");
inline const QString kFeedbackUrl = QStringLiteral("https://stillmark.example.org/faq.html");
inline const QString kSupportEmail = QStringLiteral("support@stillmark.example.org");
inline const QString kHelpFile = QStringLiteral("help.chm");
inline const QString kLogoFile = QStringLiteral("Logo.bmp");

// Options dialog.
inline const QString kOptionsCaption = QStringLiteral("选项");
inline const QString kBtnOK = QStringLiteral("确定(&O)");
inline const QString kBtnCancel = QStringLiteral("取消(&C)");
inline const QString kTabStandard = QStringLiteral("标准");
inline const QString kCbAddTime = QStringLiteral("添加时间戳至截图");
inline const QString kLbFont = QStringLiteral("字体属性：");
inline const QString kBtnFont = QStringLiteral("字体");
inline const QString kLbTimeTrans = QStringLiteral("透明度：");
inline const QString kLbTimePosit = QStringLiteral("位置：");
inline const QString kTimePositions[] = {
    QStringLiteral("随机位置"), QStringLiteral("左上"), QStringLiteral("中上"), QStringLiteral("右上"),
    QStringLiteral("左中"),     QStringLiteral("中央"), QStringLiteral("右中"), QStringLiteral("左下"),
    QStringLiteral("中下"),     QStringLiteral("右下"),
};
inline const QString kCbResize = QStringLiteral("调整输出的图片大小。");
inline const QString kLbShotsWidth = QStringLiteral("新宽度：");
inline const QString kLbShotsHeight = QStringLiteral("新高度：");
inline const QString kLbSpeed = QStringLiteral("自动捕捉速度(秒)：");
inline const QString kCbStopSound = QStringLiteral("在捕获截图时，关闭视频的声音。");
inline const QString kCbAdd2List = QStringLiteral("追加截图到主窗口的批处理列表。");
inline const QString kCbAggregate = QStringLiteral(" 整合时间戳（它用于整张 DVD 或 VCD）。");
inline const QString kCbSkipShots = QStringLiteral("跳过黑屏、单色和模糊的画面");
inline const QString kTabThumbnails = QStringLiteral("缩略图");
inline const QString kGroupThumbSize = QStringLiteral("设置缩略图的宽度与高度");
inline const QString kLbThumbWidth = QStringLiteral("宽（像素）：");
inline const QString kLbThumbHeight = QStringLiteral("高（像素）：");
inline const QString kLbResizeType = QStringLiteral("指定调整原始图片大小的模式：");
inline const QString kResizeTypes[]
    = {QStringLiteral("固定的宽度和高度"), QStringLiteral("固定的宽度和高度（保持宽高比）")};
inline const QString kLbFillColor = QStringLiteral("如果其它捕捉少于首次，在贮藏空间中填充颜色：");
inline const QString kOtherColor = QStringLiteral("其它(&O)...");
inline const QString kGroupRowsCols = QStringLiteral("设置行与列");
inline const QString kLbRows = QStringLiteral("行：");
inline const QString kLbCols = QStringLiteral("列：");
inline const QString kLbSpace = QStringLiteral("缩略图之间的空间（像素）：");

// ---- Capture and saving shots ----
inline const QString kStartAfterDuration = QStringLiteral("哎呀！起始时间大于持续时间。\n请重置它。");
inline const QString kProcessCaption = QStringLiteral("正在处理");
inline const QString kProgressFormat = QStringLiteral("进度...[%p%]");
inline const QString kBtnAbort = QStringLiteral("中断(&A)");
inline const QString kOutputFolderMissing = QStringLiteral("输出文件夹不存在，请首先创建它。");
inline const QString kShotsSavedOpenFolder = QStringLiteral("%1 截图已被保存。\n您想要打开输出文件夹吗？");
inline const QString kShotsNotSaved = QStringLiteral("%1 张截图未能保存。");
inline const QString kNothingSaved = QStringLiteral("没有保存任何截图。");
// Why a file was not saved: the file, the cause in the user's words and the system's
// own text in brackets; a cause that is not the system's is told by its message alone.
inline const QString kWriteFailure = QStringLiteral("无法保存 %1：%2（%3）");
inline const QString kWriteFailureMessage = QStringLiteral("无法保存 %1：%2");
inline const QString kWriteNoPermission = QStringLiteral("没有写入权限");
inline const QString kWriteDiskFull = QStringLiteral("磁盘空间不足");
inline const QString kWriteNoFolder = QStringLiteral("文件夹不存在");
inline const QString kWriteNameTooLong = QStringLiteral("文件名太长");
inline const QString kWriteFileInUse = QStringLiteral("文件正被其他程序使用");
inline const QString kWriteOutOfMemory = QStringLiteral("内存不足");
inline const QString kWriteFailed = QStringLiteral("写入失败");

// Video opening and playback.
inline const QString kPositionReadout = QStringLiteral("Position: %1 Duration: %2");
inline const QString kVideoNotOpened = QStringLiteral("无法打开此视频文件");

// ---- Shot viewer ----
inline const QString kViewerCaption = QStringLiteral("截图查看器");
inline const QString kHintPreviousShot = QStringLiteral("上一截图");
inline const QString kHintNextShot = QStringLiteral("下一截图");
inline const QString kHintCloseView = QStringLiteral("关闭视图");
// ---- Thumbnail sheets ----
inline const QString kThumbCaption = QStringLiteral("生成缩略图");
inline const QString kThumbCaptionCount = QStringLiteral("%1 [%2]");
inline const QString kTabSheetSettings = QStringLiteral("设置");
inline const QString kTabSheetShots = QStringLiteral("截图列表");
inline const QString kTabSheetAttachment = QStringLiteral("附件");
inline const QString kCbAspectRatio = QStringLiteral("保持宽高比");
inline const QString kLbSheetSpace = QStringLiteral("缩略图间距（像素）：");
inline const QString kBtnApplyNow = QStringLiteral("立即应用");
inline const QString kHintApply = QStringLiteral("应用设置");
inline const QString kHintSave = QStringLiteral("保存");
inline const QString kHintClose = QStringLiteral("关闭(&C)");
inline const QString kActSave = QStringLiteral("保存");
inline const QString kSheetSizeStatus = QStringLiteral("图片的尺寸（宽 x 高）：%1px x %2px");
inline const QString kShotsTooSmall = QStringLiteral("Shots is very small!");
inline const QString kSheetTooLarge
    = QStringLiteral("缩略图太大，无法生成：宽和高都不能超过 %1 像素，总面积不能超过 %2 像素。\n请减少行数、列数、"
                     "缩略图尺寸或间距。");
inline const QString kInfoFileName = QStringLiteral("文件名称：{FILENAME}");
inline const QString kInfoFileSize = QStringLiteral("文件大小：{FILESIZE}");
inline const QString kInfoDuration = QStringLiteral("持续时间：{DURATION} ");
inline const QString kInfoDecoder = QStringLiteral("解码器：{DECODER}");
inline const QString kCbAddon = QStringLiteral("添加视频信息至截图");
inline const QString kLocationTop = QStringLiteral("顶部");
inline const QString kLocationBottom = QStringLiteral("底部");
inline const QString kHintAddInfo = QStringLiteral("添加一行新文本");
inline const QString kHintSubmit = QStringLiteral("提交");
inline const QString kHintDelInfo = QStringLiteral("移除选定文本行");
inline const QString kBtnAddonFont = QStringLiteral("字体...");
inline const QString kHintFont = QStringLiteral("设置字体属性");
// Save filters: what the dialog shows before "|", the patterns after it.
inline const QString kSheetFilterJpeg = QStringLiteral("JPEG|*.JPG;*.JPEG;*.JPE;*.JFIF");
inline const QString kSheetFilterGif = QStringLiteral("GIF|*.GIF");
inline const QString kSheetFilterPng = QStringLiteral("PNG|*.PNG");
inline const QString kSheetFilterBmp8 = QStringLiteral("256 色|*.BMP");
inline const QString kSheetFilterBmp24 = QStringLiteral("24 位|*.BMP");
// A sheet's name that got its extension after the dialog names a file that is there.
inline const QString kConfirmReplaceFile = QStringLiteral("%1 已存在。\n要替换它吗？");

// ---- Batch processing: the batch window and the folder dialog ----
inline const QString kBatchCaption = QStringLiteral("批量处理");
inline const QString kBatchPageFiles = QStringLiteral("文件");
inline const QString kBatchPageProgress = QStringLiteral("进度");
inline const QString kCbSaveDirectly = QStringLiteral("直接保存捕捉的截图至硬盘。");
inline const QString kCbThumbnails = QStringLiteral("使用捕捉的截图创建一个缩略图。");
inline const QString kBatchNotice = QStringLiteral("请注意，您可以从 Windows 资源管理器拖曳文件至文件列表。");
inline const QString kHintAddFiles = QStringLiteral("添加文件");
inline const QString kMnuSelectFiles = QStringLiteral("选择文件");
inline const QString kMnuSelectFolder = QStringLiteral("选择一个文件夹");
inline const QString kHintRemoveItems = QStringLiteral("移除选定项目");
inline const QString kBtnFileList = QStringLiteral("文件列表(&L)");
inline const QString kBtnProcess = QStringLiteral("处理(&P)");
inline const QString kBtnClose = QStringLiteral("关闭(&C)");
inline const QString kLbBatchFiles = QStringLiteral("文件：");
inline const QString kLbBatchPictures = QStringLiteral("图片：");
inline const QString kBatchProcessing = QStringLiteral("Processing...");
inline const QString kBatchFinished = QStringLiteral("批量处理已完成。");
inline const QString kConfirmBatchAbort = QStringLiteral("您确定要中止批处理吗？");
inline const QString kBatchFilesNotSaved = QStringLiteral("%1 个文件未能保存。\n第一个错误：%2");
inline const QString kBadCaptureSetting = QStringLiteral("设置中的 %1 为 %2，无法截图。\n请把它设为 1 或更大的数。");
inline const QString kSelDirCaption = QStringLiteral("选择目录");
inline const QString kLbSelectDrive = QStringLiteral("请选择驱动器：");
inline const QString kLbFilterType = QStringLiteral("选择过滤器类型：");
inline const QString kCbInSubDir = QStringLiteral("包含子目录");

// ---- Media engine: the elements of a graph, as ListFilterNames names them ----
inline const QString kVideoRendererName = QStringLiteral("Video Renderer");
inline const QString kFrameGrabberName = QStringLiteral("Frame Grabber");
inline const QString kAudioRendererName = QStringLiteral("Audio Renderer");
inline const QString kDemultiplexerName = QStringLiteral("%1 demultiplexer");
inline const QString kDecoderName = QStringLiteral("%1 decoder");

// ---- Text effects engine ----
inline const QString kInvalidLine = QStringLiteral("Invalid line!");
inline const QString kInvalidForeBmp = QStringLiteral("Invalid foreground bitmap!");

// ---- Command line ----
inline const QString kCliName = QStringLiteral("stillmark-cli");
inline const QString kCliUsage = QStringLiteral("Usage: stillmark-cli [OPTION]... VIDEO|FOLDER...");
inline const QString kCliTryHelp = QStringLiteral("Try 'stillmark-cli --help' for more information.");
inline const QString kCliHelp
    = QStringLiteral("Takes shots out of each video as the batch window does: numbered pictures and one\n"
                     "thumbnail sheet per video in the output folder. Folders are scanned for videos.\n"
                     "\n"
                     "Input:\n"
                     "      --mask PATTERN     scan folders for files that match, e.g. *.mp4 (default *.*)\n"
                     "  -r, --recursive        scan subfolders too\n"
                     "\n"
                     "Settings (Settings.dat beside the program when it exists; it is never written):\n"
                     "      --settings FILE    read the settings from FILE instead\n"
                     "      --set KEY=VALUE    any setting of the file, e.g. --set ThumbCols=4;\n"
                     "                         font keys as TimeFont.Size, AddonFont.Name\n"
                     "  -o, --output DIR       output folder (OutputFolder; default without a settings\n"
                     "                         file: the working folder); made when missing\n"
                     "  -n, --count N          N shots spread over each video (1 to 999)\n"
                     "  -e, --every SECONDS    one shot every SECONDS seconds (2 to 3600)\n"
                     "  -s, --start H:MM:SS    where the shots start (StartTime)\n"
                     "  -f, --format FORMAT    jpg, png, bmp, gif or tif (SaveFormat), or webp or avif\n"
                     "                         (here only; quality JpgCompress)\n"
                     "      --tonemap on|off   HDR videos (PQ, HLG) tone-mapped to SDR (ToneMapping;\n"
                     "                         default on)\n"
                     "      --deinterlace on|off\n"
                     "                         interlaced pictures deinterlaced (Deinterlace;\n"
                     "                         default on)\n"
                     "      --skip-blank       a shot whose picture is black, white or of one colour\n"
                     "                         takes the first later picture that is not (SkipBlank);\n"
                     "                         JSON lines list such shots as \"moved\"\n"
                     "      --skip-blurred     the same for blurred pictures (SkipBlurred)\n"
                     "      --skip-seconds N   how much later: up to N seconds (1 to 60; SkipSeconds,\n"
                     "                         default 5), never into the next shot's second\n"
                     "      --sheet-only       one sheet per video and no shot files: use this, not\n"
                     "                         --no-shots, for just the sheet\n"
                     "      --info             the sheets carry the video-information block of the\n"
                     "                         thumbnail window (TxtLocation, AddonFont, AddText)\n"
                     "      --info-line TEXT   a line of that block instead (repeatable; implies --info);\n"
                     "                         {FILENAME} {FILESIZE} {DURATION} {DECODER} {RESOLUTION}\n"
                     "                         {FPS} {VIDEOCODEC} {AUDIOCODEC} {BITRATE} {DATE} filled\n"
                     "      --no-shots         no shot files (SaveDirectly off); as in the batch window,\n"
                     "                         no shot is then kept for a sheet either\n"
                     "      --no-sheet         no sheets\n"
                     "                         CaptureSpeed is 0 here unless set: no settling wait\n"
                     "\n"
                     "Seek-bar preview track for web players:\n"
                     "      --webvtt           a preview track in place of the shots and sheet: per\n"
                     "                         video NAME_sprite_001... (in the -f format) and\n"
                     "                         NAME.vtt; not with -n, -e, -s or the shot and sheet\n"
                     "                         options (--no-shots, --no-sheet, --sheet-only, --info);\n"
                     "                         its result line counts the sprites and names NAME.vtt,\n"
                     "                         and --skip-existing leaves videos whose NAME.vtt exists\n"
                     "      --vtt-every SECONDS  one picture every SECONDS seconds from 0 (1 to 3600;\n"
                     "                         default 10)\n"
                     "      --vtt-width PIXELS   picture width (16 to 3840; default 320), height from\n"
                     "                         the display aspect\n"
                     "      --vtt-grid CxR     pictures to a sprite, columns x rows (default 10x10)\n"
                     "\n"
                     "Run:\n"
                     "      --keyframes        each shot is the first key frame at or after its second\n"
                     "                         (fast); its label names that frame's own time\n"
                     "      --skip-existing    leave videos whose sheet (with --no-sheet: first shot)\n"
                     "                         exists already; they count as done\n"
                     "  -j, --jobs N           N videos at once (default: one per processor); with\n"
                     "                         Aggregate on the videos run one after another\n"
                     "      --timeout SECONDS  give a video up when no shot is done for SECONDS\n"
                     "                         (default 120; 0: never); each video runs in a process\n"
                     "                         of its own, so one that crashes fails alone\n"
                     "      --json             result lines as JSON objects\n"
                     "  -h, --help             show this help\n"
                     "  -V, --version          show the version\n"
                     "\n"
                     "Prints one line per video on stdout, in input order: ok, skipped: REASON or\n"
                     "failed: REASON, the path, the shots written and the sheet, tab-separated, and\n"
                     "a note where the colours cannot be shown exactly. JSON lines also tell the\n"
                     "video's HDR transfer (\"hdr\": \"pq\", \"hlg\" or null), \"tonemapped\", each\n"
                     "shot (\"shots\") and what the file says of itself (\"facts\").\n"
                     "Progress goes to stderr. Ctrl+C ends after the shots in progress.\n"
                     "\n"
                     "Exit status: 0 every video done or left by --skip-existing (or none found),\n"
                     "1 some skipped for another reason or failed, 2 bad arguments, 130 interrupted.");
inline const QString kCliNoInput = QStringLiteral("no video or folder given");
inline const QString kCliNoVideos = QStringLiteral("no video found");
inline const QString kCliNoOutputFolder = QStringLiteral("cannot make the output folder %1");
inline const QString kCliUnknownOption = QStringLiteral("unknown option %1");
inline const QString kCliTakesNoValue = QStringLiteral("%1 takes no value");
inline const QString kCliWantsValue = QStringLiteral("%1 wants a value");
inline const QString kCliWantsCount = QStringLiteral("%1 wants a count from %2 to %3, not \"%4\"");
inline const QString kCliWantsSeconds = QStringLiteral("%1 wants seconds from %2 to %3, not \"%4\"");
inline const QString kCliWantsFormat = QStringLiteral("%1 wants one of %2, not \"%3\"");
inline const QString kCliWantsAssignment = QStringLiteral("%1 wants KEY=VALUE, not \"%2\"");
inline const QString kCliWantsJobs = QStringLiteral("%1 wants a number of jobs from 1 to %2, not \"%3\"");
inline const QString kCliWantsWidth = QStringLiteral("%1 wants a width from %2 to %3 pixels, not \"%4\"");
inline const QString kCliWantsGrid = QStringLiteral("%1 wants COLUMNSxROWS, each from 1 to %2, not \"%3\"");
inline const QString kCliNeedsWebVtt = QStringLiteral("%1 needs --webvtt");
inline const QString kCliNoSettingsFile = QStringLiteral("no settings file %1");
inline const QString kCliSettingsIsFolder = QStringLiteral("the settings file %1 is a folder");
inline const QString kCliSettingsNotAFile = QStringLiteral("the settings file %1 is not a regular file");
inline const QString kCliUnknownSetting = QStringLiteral("%1: unknown setting %2");
inline const QString kCliUnknownPlaceholder = QStringLiteral("%1: unknown placeholder %2");
inline const QString kCliOptionsConflict = QStringLiteral("%1 and %2 cannot go together");
inline const QString kCliBadValue = QStringLiteral("%1: bad value \"%2\" for %3");
inline const QString kCliAggregateOneByOne
    = QStringLiteral("Aggregate is on: the videos run one after another, each one's labels continuing the last");
inline const QString kCliExists = QStringLiteral("%1 exists");
inline const QString kCliInterrupted = QStringLiteral("interrupted");
inline const QString kCliNotTicked = QStringLiteral("not ticked");
inline const QString kCliNotAVideo = QStringLiteral("not a video that opens");
inline const QString kCliNoSuchFile = QStringLiteral("no such file");
inline const QString kCliStartBeyondEnd = QStringLiteral("the start time lies beyond the end");
inline const QString kCliNotWritten = QStringLiteral("%1 file(s) not written: %2");
inline const QString kCliUnknownLength = QStringLiteral("its length is unknown");
inline const QString kCliNoPicture = QStringLiteral("no picture could be taken");
inline const QString kCliDolbyVisionNote = QStringLiteral("dolby vision profile 5, colours not exact");
inline const QString kCliOpening = QStringLiteral("opening");
inline const QString kCliShotsProgress = QStringLiteral("%1/%2 shots");
inline const QString kCliProgressLine = QStringLiteral("%1  %2  (%3 of %4 done)");
inline const QString kCliWantsTimeout = QStringLiteral("%1 wants seconds from 0 (none) to %2, not \"%3\"");
inline const QString kCliTimedOut = QStringLiteral("timed out after %1 s");
inline const QString kCliCrashed = QStringLiteral("crashed (signal %1)");
inline const QString kCliCrashedWithStatus = QStringLiteral("crashed (exit status %1)");
inline const QString kCliNoWorker = QStringLiteral("no process could be started for it: %1");

}  // namespace sm::lang
