#include "app/wizard/MainForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QDateEdit>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QTreeView>
#include <QFontDatabase>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QShowEvent>
#include <QStackedWidget>

#include "app/wizard/WizardTexts.h"
#include "calendar/widget/WinColors.h"
#include "platform/Clock.h"
#include "platform/MessageSink.h"

namespace orvexp {

namespace {

constexpr int kClientWidth = 402;
constexpr int kClientHeight = 329;
constexpr int kTitleHeight = 36;
constexpr int kBottomHeight = 80;

const char kFormFontFamily[] = "ＭＳ Ｐゴシック";
const char kFormFontStandIn[] = "IPAPGothic";

QString Q(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QString Q(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

// Message texts keep the CR LF of the logic; a label breaks lines at LF.
QString DisplayText(const std::string& text)
{
    QString shown = Q(text);
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return shown;
}

TDateTime FromQDate(const QDate& date)
{
    TDateTime value = 0;
    if (date.isValid() && TryEncodeDate(date.year(), static_cast<unsigned>(date.month()),
                                        static_cast<unsigned>(date.day()), value)) {
        return value;
    }
    return DateOf(SystemClock().Now());
}

QDate ToQDate(TDateTime value)
{
    const TDateParts parts = DecodeDate(value);
    return QDate(parts.Year, static_cast<int>(parts.Month), static_cast<int>(parts.Day));
}

// "description|pattern|..." as Qt name filters; a description that does not
// end with its pattern in brackets gets it appended.
QStringList NameFilters(const std::string& filter)
{
    const QStringList parts = Q(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        const QString& pattern = parts[i + 1];
        if (description.endsWith(QLatin1Char('(') + pattern + QLatin1Char(')'))) filters << description;
        else filters << description + QLatin1String(" (") + pattern + QLatin1Char(')');
    }
    return filters;
}

QString DefaultSuffix(const std::string& defaultExt)
{
    QString suffix = Q(defaultExt);
    if (suffix.startsWith(QLatin1String("*."))) suffix.remove(0, 2);
    return suffix;
}

// The file list's sizes, folder kind and dates in Japanese (149 バイト,
// フォルダー, 2026/12/08 16:43) whatever the system locale: Qt's file model
// formats sizes and dates with the system's, which under C.UTF-8 gives
// "149 bytes" and "8 Dec 2026", and Qt's translations lack "Folder".
class TJapaneseFileListModel : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override
    {
        enum { kSizeColumn = 1, kKindColumn = 2, kDateColumn = 3 }; // QFileSystemModel's columns
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (!files || role != Qt::DisplayRole) return QIdentityProxyModel::data(index, role);
        const QModelIndex file = mapToSource(index);
        const QLocale japanese(QLocale::Japanese, QLocale::Japan);
        switch (index.column()) {
        case kSizeColumn:
            if (!files->isDir(file)) return japanese.formattedDataSize(files->size(file));
            break;
        case kKindColumn:
            if (files->isDir(file)) return QStringLiteral("フォルダー");
            break;
        case kDateColumn: return japanese.toString(files->lastModified(file), QLocale::ShortFormat);
        }
        return QIdentityProxyModel::data(index, role);
    }
};

bool RunFileDialog(QWidget* parent, const TFileDialogSetup& setup, bool save, std::string& fileName)
{
    QFileDialog dialog(parent);
    // Qt's own dialog, which speaks the wizard's language (a desktop's native
    // one would speak the session's) and shows the dates above.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setProxyModel(new TJapaneseFileListModel(&dialog));
    // Sizes, kinds and dates as wide as their texts, rather than cut; the names take the rest.
    if (auto* list = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int column = 1; column <= 3; ++column) list->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
    if (auto* places = dialog.findChild<QListView*>(QStringLiteral("sidebar")))
        places->setMinimumWidth(places->sizeHintForColumn(0) + 2 * places->frameWidth() + 4);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The wizard asks about an existing file itself when it finishes.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (!setup.InitialDir.empty()) dialog.setDirectory(Q(setup.InitialDir));
    const QStringList filters = NameFilters(setup.Filter);
    dialog.setNameFilters(filters);
    if (setup.FilterIndex >= 1 && setup.FilterIndex <= filters.size()) dialog.selectNameFilter(filters[setup.FilterIndex - 1]);
    dialog.setDefaultSuffix(DefaultSuffix(setup.DefaultExt));
    if (!setup.FileName.empty()) dialog.selectFile(Q(setup.FileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    fileName = dialog.selectedFiles().first().toStdString();
    return true;
}

QPushButton* ColorButton(QWidget* parent, const char* caption, int tag, int x, int y)
{
    auto* button = new QPushButton(Q(caption), parent);
    button->setGeometry(x, y, 56, 22);
    button->setProperty("Tag", tag);
    return button;
}

} // namespace

QFont FormFont()
{
    static const bool substituted = [] {
        if (!QFontDatabase::families().contains(Q(kFormFontFamily))) {
            QFont::insertSubstitution(Q(kFormFontFamily), Q(kFormFontStandIn));
        }
        return true;
    }();
    (void)substituted;
    QFont font(Q(kFormFontFamily));
    font.setPixelSize(12);
    return font;
}

void UseFormFontEverywhere()
{
    QApplication::setFont(FormFont());
}

TfrmMain::TfrmMain(TGlobal& global, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint)
{
    WizardLogic = std::make_unique<TWizardLogic>(*this, global);
    setObjectName(QStringLiteral("frmMain"));
    setFont(FormFont());
    setFixedSize(kClientWidth, kClientHeight);
    BuildTitleBand();
    BuildPages();
    BuildBottomBand();
    SetSampleColors(Colors);

    // The launch action's failures (and any other message of the core) in a box.
    SetMessageSink([this](TMessageKind kind, const std::string& text) {
        QMessageBox box(kind == mkError ? QMessageBox::Critical : QMessageBox::Information, ApplicationTitle,
                        DisplayText(text), QMessageBox::NoButton, this);
        box.addButton(Q(wiztext::kOkButton), QMessageBox::AcceptRole);
        box.exec();
    });
}

TfrmMain::~TfrmMain()
{
    SetMessageSink({});
}

void TfrmMain::BuildTitleBand()
{
    auto* band = new QWidget(this);
    band->setObjectName(QStringLiteral("pnlTitleBand"));
    band->setGeometry(0, 0, kClientWidth, kTitleHeight);
    band->setAutoFillBackground(true);
    QPalette palette = band->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Base));
    band->setPalette(palette);

    pnlTitle = new QLabel(band);
    pnlTitle->setObjectName(QStringLiteral("pnlTitle"));
    QFont bold = font();
    bold.setBold(true);
    bold.setPixelSize(16);
    pnlTitle->setFont(bold);
    pnlTitle->setGeometry(10, 0, kClientWidth - 10 - 32 - 10, kTitleHeight);
    pnlTitle->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    imgTitle = new QLabel(band);
    imgTitle->setObjectName(QStringLiteral("imgTitle"));
    imgTitle->setGeometry(kClientWidth - 32 - 4, (kTitleHeight - 32) / 2, 32, 32);
    imgTitle->setPixmap(QPixmap(QStringLiteral(":/wizard/title.xpm")));
}

void TfrmMain::BuildPages()
{
    Notebook1 = new QStackedWidget(this);
    Notebook1->setObjectName(QStringLiteral("Notebook1"));
    Notebook1->setGeometry(0, kTitleHeight, kClientWidth, kClientHeight - kTitleHeight - kBottomHeight);
    Notebook1->addWidget(BuildExportTypePage());
    Notebook1->addWidget(BuildDataFilePage());
    Notebook1->addWidget(BuildDateRangePage());
    Notebook1->addWidget(BuildExportFilePage());
}

QWidget* TfrmMain::BuildExportTypePage()
{
    auto* page = new QWidget;
    page->setObjectName(Q(wiztext::kPage1Title));
    lbExportTypes = new QListWidget(page);
    lbExportTypes->setObjectName(QStringLiteral("lbExportTypes"));
    lbExportTypes->setGeometry(12, 10, 170, 190);
    lbExportTypes->setSelectionMode(QAbstractItemView::SingleSelection);
    grpExplanation = new QGroupBox(Q(wiztext::kExplanationGroup), page);
    grpExplanation->setGeometry(194, 4, 196, 196);
    lblExplanation1 = new QLabel(grpExplanation);
    lblExplanation1->setObjectName(QStringLiteral("lblExplanation1"));
    lblExplanation1->setGeometry(10, 20, 180, 170);
    lblExplanation1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    connect(lbExportTypes, &QListWidget::itemSelectionChanged, this,
            [this] { Guarded([this] { WizardLogic->lbExportTypesClick(); }); });
    connect(lbExportTypes, &QListWidget::itemDoubleClicked, this,
            [this] { Guarded([this] { WizardLogic->btnNextClick(); }); });
    return page;
}

QWidget* TfrmMain::BuildDataFilePage()
{
    auto* page = new QWidget;
    page->setObjectName(Q(wiztext::kPage2Title));
    auto* label = new QLabel(Q(wiztext::kDataFileLabel), page);
    label->setGeometry(20, 24, 360, 16);
    edtDataFilePath = new QLineEdit(page);
    edtDataFilePath->setObjectName(QStringLiteral("edtDataFilePath"));
    edtDataFilePath->setGeometry(20, 46, 290, 22);
    Button5 = new QPushButton(Q(wiztext::kBrowseCaption), page);
    Button5->setObjectName(QStringLiteral("Button5"));
    Button5->setGeometry(316, 45, 70, 24);
    auto* note = new QLabel(Q(wiztext::kDataFileNote1) + QLatin1Char('\n') + Q(wiztext::kDataFileNote2), page);
    QFont bold = font();
    bold.setBold(true);
    note->setFont(bold);
    note->setGeometry(20, 96, 370, 40);
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    connect(Button5, &QPushButton::clicked, this, [this] { Guarded([this] { WizardLogic->Button5Click(); }); });
    return page;
}

QWidget* TfrmMain::BuildDateRangePage()
{
    auto* page = new QWidget;
    page->setObjectName(Q(wiztext::kPage3Title));
    auto* startLabel = new QLabel(Q(wiztext::kStartDateLabel), page);
    startLabel->setGeometry(50, 50, 120, 16);
    auto* endLabel = new QLabel(Q(wiztext::kEndDateLabel), page);
    endLabel->setGeometry(222, 50, 120, 16);
    auto makeDateEdit = [page](const char* name, int x) {
        auto* edit = new QDateEdit(page);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setGeometry(x, 70, 130, 22);
        edit->setCalendarPopup(true);
        edit->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
        edit->setDateRange(QDate(1, 1, 1), QDate(9999, 12, 31));
        return edit;
    };
    DateEdit1 = makeDateEdit("DateEdit1", 50);
    auto* separator = new QLabel(Q(wiztext::kRangeSeparator), page);
    separator->setGeometry(190, 73, 24, 16);
    separator->setAlignment(Qt::AlignCenter);
    DateEdit2 = makeDateEdit("DateEdit2", 222);
    return page;
}

QWidget* TfrmMain::BuildExportFilePage()
{
    auto* page = new QWidget;
    page->setObjectName(Q(wiztext::kPage4Title));
    auto* label = new QLabel(Q(wiztext::kExportFileLabel), page);
    label->setGeometry(12, 8, 360, 16);
    edtExportFile = new QLineEdit(page);
    edtExportFile->setObjectName(QStringLiteral("edtExportFile"));
    edtExportFile->setGeometry(12, 28, 298, 22);
    Button1 = new QPushButton(Q(wiztext::kBrowseCaption), page);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(316, 27, 70, 24);
    auto* note = new QLabel(Q(wiztext::kExportFileNote1) + QLatin1Char('\n') + Q(wiztext::kExportFileNote2), page);
    note->setGeometry(12, 56, 380, 32);
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    lblHTMLSettings = new QLabel(Q(wiztext::kHtmlSettings), page);
    lblHTMLSettings->setObjectName(QStringLiteral("lblHTMLSettings"));
    lblHTMLSettings->setGeometry(12, 92, 120, 16);
    HTMLScrollBox = new QScrollArea(page);
    HTMLScrollBox->setObjectName(QStringLiteral("HTMLScrollBox"));
    HTMLScrollBox->setGeometry(12, 108, 378, 102);
    HTMLScrollBox->setWidget(BuildColorSamples());

    chkExportEmptyMemo = new QCheckBox(Q(wiztext::kExportEmptyMemo), page);
    chkExportEmptyMemo->setObjectName(QStringLiteral("chkExportEmptyMemo"));
    chkExportEmptyMemo->setGeometry(12, 96, 250, 20);
    // Where the empty-memo box stands for the other types: one of the two shows.
    chkIcsWithDays = new QCheckBox(Q(wiztext::kIcsWithDays), page);
    chkIcsWithDays->setObjectName(QStringLiteral("chkIcsWithDays"));
    chkIcsWithDays->setGeometry(12, 96, 250, 20);
    chkIcsWithDays->hide();
    chkIcsParts = new QCheckBox(Q(wiztext::kIcsParts), page);
    chkIcsParts->setObjectName(QStringLiteral("chkIcsParts"));
    chkIcsParts->setGeometry(12, 118, 378, 20);
    chkIcsParts->hide();

    connect(Button1, &QPushButton::clicked, this, [this] { Guarded([this] { WizardLogic->Button1Click(); }); });
    return page;
}

QWidget* TfrmMain::BuildColorSamples()
{
    auto* samples = new QWidget;
    constexpr int kRowHeight = 42;
    struct TRow {
        const char* Caption;
        QPlainTextEdit** Memo;
        QPushButton** TextButton;
        QPushButton** BackButton;
        int Tag;
    };
    const TRow rows[] = {
        {wiztext::kSampleDate, &memHTMLDate, &btnHTMLDateColor, &btnHTMLDateBkColor, stDate},
        {wiztext::kSampleTime, &memHTMLTime, &btnHTMLTimeColor, &btnHTMLTimeBkColor, stTime},
        {wiztext::kSampleSchedule, &memHTMLSchedule, &btnHTMLScheduleColor, &btnHTMLScheduleBkColor, stSchedule},
        {wiztext::kSampleMemo, &memHTMLMemo, &btnHTMLMemoColor, &btnHTMLMemoBkColor, stMemo},
    };
    int y = 4;
    for (const TRow& row : rows) {
        auto* caption = new QLabel(Q(row.Caption), samples);
        caption->setGeometry(6, y + 10, 30, 16);
        auto* memo = new QPlainTextEdit(samples);
        memo->setReadOnly(true);
        memo->setLineWrapMode(QPlainTextEdit::NoWrap);
        memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        memo->setPlainText(Q(wiztext::kSampleLine1) + QLatin1Char('\n') + Q(wiztext::kSampleLine2));
        memo->setGeometry(40, y, 170, 38);
        memo->setFocusPolicy(Qt::NoFocus);
        *row.Memo = memo;
        *row.TextButton = ColorButton(samples, wiztext::kTextColorButton, row.Tag, 218, y + 8);
        *row.BackButton = ColorButton(samples, wiztext::kBackColorButton, row.Tag, 280, y + 8);
        connect(*row.TextButton, &QPushButton::clicked, this, [this, tag = row.Tag] {
            Guarded([this, tag] { WizardLogic->btnHTMLDateColorClick(tag); });
        });
        connect(*row.BackButton, &QPushButton::clicked, this, [this, tag = row.Tag] {
            Guarded([this, tag] { WizardLogic->btnHTMLDateBkColorClick(tag); });
        });
        y += kRowHeight;
    }
    memHTMLDate->setObjectName(QStringLiteral("memHTMLDate"));
    memHTMLTime->setObjectName(QStringLiteral("memHTMLTime"));
    memHTMLSchedule->setObjectName(QStringLiteral("memHTMLSchedule"));
    memHTMLMemo->setObjectName(QStringLiteral("memHTMLMemo"));
    QFont bold = font();
    bold.setBold(true);
    memHTMLDate->setFont(bold);
    // Only the date's background can be chosen.
    btnHTMLDateColor->setVisible(false);
    samples->setFixedSize(346, y);
    return samples;
}

void TfrmMain::BuildBottomBand()
{
    auto* band = new QWidget(this);
    band->setObjectName(QStringLiteral("pnlBottom"));
    band->setGeometry(0, kClientHeight - kBottomHeight, kClientWidth, kBottomHeight);
    auto* line = new QFrame(band);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(0, 0, kClientWidth, 2);

    lblVersion = new QLabel(band);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblVersion->move(5, 11);
    lblBuildNo = new QLabel(band);
    lblBuildNo->setObjectName(QStringLiteral("lblBuildNo"));
    lblBuildNo->move(60, 11);
    lblBeta = new QLabel(band);
    lblBeta->setObjectName(QStringLiteral("lblBeta"));
    lblBeta->move(120, 10);
    lblBeta->hide();
    lblCopyright = new QLabel(band);
    lblCopyright->setObjectName(QStringLiteral("lblCopyright"));
    lblCopyright->move(5, 26);

    btnPrevious = new QPushButton(Q(wiztext::kPreviousCaption), band);
    btnPrevious->setObjectName(QStringLiteral("btnPrevious"));
    btnPrevious->setGeometry(150, 46, 78, 25);
    btnPrevious->setEnabled(false);
    btnNext = new QPushButton(Q(wiztext::kNextCaption), band);
    btnNext->setObjectName(QStringLiteral("btnNext"));
    btnNext->setGeometry(230, 46, 78, 25);
    btnNext->setDefault(true);
    btnCancel = new QPushButton(Q(wiztext::kCancelCaption), band);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setGeometry(316, 46, 78, 25);

    connect(btnNext, &QPushButton::clicked, this, [this] { Guarded([this] { WizardLogic->btnNextClick(); }); });
    connect(btnPrevious, &QPushButton::clicked, this, [this] { Guarded([this] { WizardLogic->btnPreviousClick(); }); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { Guarded([this] { WizardLogic->btnCancelClick(); }); });
}

void TfrmMain::Guarded(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& e) {
        ShowError(e.what());
    }
}

void TfrmMain::ShowError(const std::string& text)
{
    QMessageBox box(QMessageBox::Critical, ApplicationTitle, DisplayText(text), QMessageBox::NoButton, this);
    box.addButton(Q(wiztext::kOkButton), QMessageBox::AcceptRole);
    box.exec();
}

void TfrmMain::reject()
{
    if (Closing) return;
    Guarded([this] { WizardLogic->btnCancelClick(); });
}

void TfrmMain::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    if (const QScreen* shown = screen()) move(shown->availableGeometry().center() - rect().center());
    Guarded([this] { WizardLogic->FormShow(); });
}

void TfrmMain::SetApplicationTitle(const std::string& title)
{
    ApplicationTitle = Q(title);
    setWindowTitle(ApplicationTitle);
}

void TfrmMain::SetFooter(const std::string& versionLabel, const std::string& buildLabel, bool beta,
                         const std::string& copyright)
{
    lblVersion->setText(Q(versionLabel));
    lblVersion->adjustSize();
    lblBuildNo->move(lblVersion->x() + lblVersion->width() + 5, 11);
    lblBuildNo->setText(Q(buildLabel));
    lblBuildNo->adjustSize();
    if (beta) {
        lblBeta->move(lblBuildNo->x() + lblBuildNo->width() + 10, 10);
        lblBeta->setText(Q(wiztext::kBeta));
        lblBeta->adjustSize();
        lblBeta->show();
    } else {
        lblBeta->hide();
    }
    lblCopyright->setText(Q(copyright));
    lblCopyright->adjustSize();
}

void TfrmMain::ShowPage(TWizardPage page, const std::string& title)
{
    Notebook1->setCurrentIndex(page);
    pnlTitle->setText(Q(title));
}

void TfrmMain::SetNextCaption(const std::string& caption)
{
    btnNext->setText(Q(caption));
}

void TfrmMain::SetBackEnabled(bool enabled)
{
    btnPrevious->setEnabled(enabled);
}

QWidget* TfrmMain::ControlOf(TWizardControl control) const
{
    switch (control) {
    case wcExportTypes: return lbExportTypes;
    case wcDataFilePath: return edtDataFilePath;
    case wcStartDate: return DateEdit1;
    case wcExportFile: return edtExportFile;
    case wcExportEmptyMemo: return chkExportEmptyMemo;
    case wcHtmlSettings: return HTMLScrollBox;
    case wcIcsWithDays: return chkIcsWithDays;
    case wcIcsParts: return chkIcsParts;
    }
    return nullptr;
}

void TfrmMain::SetControlVisible(TWizardControl control, bool visible)
{
    if (control == wcHtmlSettings) lblHTMLSettings->setVisible(visible);
    if (QWidget* widget = ControlOf(control)) widget->setVisible(visible);
}

bool TfrmMain::FocusControl(TWizardControl control)
{
    QWidget* widget = ControlOf(control);
    if (!widget || !widget->isVisibleTo(this) || !widget->isEnabled()) return false;
    widget->setFocus(Qt::OtherFocusReason);
    return true;
}

void TfrmMain::CloseWindow()
{
    Closing = true;
    done(QDialog::Rejected);
    Closing = false;
}

void TfrmMain::ShowInformation(const std::string& text)
{
    QMessageBox box(QMessageBox::Information, Q(wiztext::kInformationTitle), DisplayText(text), QMessageBox::NoButton,
                    this);
    box.addButton(Q(wiztext::kOkButton), QMessageBox::AcceptRole);
    box.exec();
}

bool TfrmMain::AskConfirmation(const std::string& text)
{
    QMessageBox box(QMessageBox::Question, Q(wiztext::kConfirmationTitle), DisplayText(text), QMessageBox::NoButton,
                    this);
    QPushButton* yes = box.addButton(Q(wiztext::kYesButton), QMessageBox::YesRole);
    QPushButton* no = box.addButton(Q(wiztext::kNoButton), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

bool TfrmMain::RunOpenDialog(const TFileDialogSetup& setup, std::string& fileName)
{
    return RunFileDialog(this, setup, false, fileName);
}

bool TfrmMain::RunSaveDialog(const TFileDialogSetup& setup, std::string& fileName)
{
    return RunFileDialog(this, setup, true, fileName);
}

bool TfrmMain::RunColorDialog(std::int32_t& color)
{
    QColorDialog dialog(ColorToQColor(color, palette()), this);
    if (dialog.exec() != QDialog::Accepted) return false;
    color = QColorToColor(dialog.selectedColor());
    return true;
}

void TfrmMain::SetExportTypeLines(const std::vector<std::string>& lines)
{
    const QSignalBlocker blocker(lbExportTypes);
    lbExportTypes->clear();
    for (const std::string& line : lines) lbExportTypes->addItem(Q(line));
}

int TfrmMain::ExportTypeIndex() const
{
    const QModelIndexList selected = lbExportTypes->selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void TfrmMain::SetExportTypeIndex(int index)
{
    lbExportTypes->setCurrentRow(index);
}

void TfrmMain::SetExplanation(const std::string& text)
{
    lblExplanation1->setText(DisplayText(text));
}

std::string TfrmMain::DataFilePath() const
{
    return edtDataFilePath->text().toStdString();
}

void TfrmMain::SetDataFilePath(const std::string& path)
{
    edtDataFilePath->setText(Q(path));
}

TDateTime TfrmMain::StartDate() const
{
    return FromQDate(DateEdit1->date());
}

TDateTime TfrmMain::EndDate() const
{
    return FromQDate(DateEdit2->date());
}

void TfrmMain::SetStartDate(TDateTime date)
{
    DateEdit1->setDate(ToQDate(date));
}

void TfrmMain::SetEndDate(TDateTime date)
{
    DateEdit2->setDate(ToQDate(date));
}

std::string TfrmMain::ExportFile() const
{
    return edtExportFile->text().toStdString();
}

void TfrmMain::SetExportFile(const std::string& path)
{
    edtExportFile->setText(Q(path));
}

bool TfrmMain::Checked(TWizardControl box) const
{
    const auto* check = qobject_cast<const QCheckBox*>(ControlOf(box));
    return check && check->isChecked();
}

void TfrmMain::SetChecked(TWizardControl box, bool checked)
{
    if (auto* check = qobject_cast<QCheckBox*>(ControlOf(box))) check->setChecked(checked);
}

THtmlColors TfrmMain::SampleColors() const
{
    return Colors;
}

void TfrmMain::SetSampleColors(const THtmlColors& colors)
{
    Colors = colors;
    PaintSample(memHTMLDate, DateTextColor, Colors.DateBkColor);
    PaintSample(memHTMLTime, Colors.TimeColor, Colors.TimeBkColor);
    PaintSample(memHTMLSchedule, Colors.ScheduleColor, Colors.ScheduleBkColor);
    PaintSample(memHTMLMemo, Colors.MemoColor, Colors.MemoBkColor);
}

void TfrmMain::PaintSample(QPlainTextEdit* sample, std::int32_t textColor, std::int32_t backColor)
{
    QPalette colors = sample->palette();
    colors.setColor(QPalette::Text, ColorToQColor(textColor, palette()));
    colors.setColor(QPalette::Base, ColorToQColor(backColor, palette()));
    sample->setPalette(colors);
}

} // namespace orvexp
