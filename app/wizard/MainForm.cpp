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
#include <QTextCharFormat>
#include <QUrl>
#include <QVBoxLayout>
#include <QCalendarWidget>
#include <QGridLayout>
#include <QHBoxLayout>

#include <algorithm>
#include <initializer_list>

#include "app/window/WindowSetup.h"
#include "app/wizard/PathEdit.h"
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
    if (!setup.Place.empty()) dialog.setSidebarUrls(dialog.sidebarUrls() << QUrl::fromLocalFile(Q(setup.Place)));
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

QPushButton* ColorButton(QWidget* parent, const char* caption, int tag)
{
    auto* button = new QPushButton(Q(caption), parent);
    button->setMinimumSize(56, 22);
    button->setProperty("Tag", tag);
    return button;
}

// The size a label needs for the longest of `texts`.
QSize LargestTextSize(const QLabel& label, std::initializer_list<const char*> texts)
{
    QSize size;
    for (const char* text : texts)
        size = size.expandedTo(label.fontMetrics().size(0, DisplayText(text)));
    const int margins = 2 * (label.margin() + label.frameWidth());
    return size + QSize(margins, margins);
}

// The day numbers' colours in the date pop-ups, as the calendar window has
// them: Saturdays blue; Sundays, holidays, special days and days off red.
QColor DayNumberColor(TKyDayKinds kinds)
{
    for (TKyDayKind red : {dkSunday, dkHoliday, dkSubstitute, dkSpecialDay, dkDayOff})
        if (kinds.Contains(red)) return Qt::red;
    return kinds.Contains(dkSaturday) ? QColor(Qt::blue) : QColor();
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
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                          Qt::WindowCloseButtonHint)
{
    WizardLogic = std::make_unique<TWizardLogic>(*this, global);
    setObjectName(QStringLiteral("frmMain"));
    setFont(FormFont());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(BuildTitleBand());
    layout->addWidget(BuildPages(), 1);
    layout->addWidget(BuildBottomBand());
    SetSampleColors(Colors);
    // Every page's every control fits at the default size, which is the
    // window's smallest: measured while all of page 4's boxes are shown.
    DefaultSize = minimumSizeHint().expandedTo(QSize(kClientWidth, kClientHeight));
    setMinimumSize(DefaultSize);
    PlaceOnScreen(*this, DefaultSize);
    chkIcsWithDays->hide();
    chkIcsParts->hide();

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

QWidget* TfrmMain::BuildTitleBand()
{
    auto* band = new QWidget(this);
    band->setObjectName(QStringLiteral("pnlTitleBand"));
    band->setFixedHeight(kTitleHeight);
    band->setAutoFillBackground(true);
    QPalette palette = band->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Base));
    band->setPalette(palette);
    auto* layout = new QHBoxLayout(band);
    layout->setContentsMargins(10, 0, 4, 0);

    pnlTitle = new QLabel(band);
    pnlTitle->setObjectName(QStringLiteral("pnlTitle"));
    QFont bold = font();
    bold.setBold(true);
    bold.setPixelSize(16);
    pnlTitle->setFont(bold);
    pnlTitle->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    layout->addWidget(pnlTitle, 1);

    imgTitle = new QLabel(band);
    imgTitle->setObjectName(QStringLiteral("imgTitle"));
    imgTitle->setFixedSize(32, 32);
    imgTitle->setPixmap(QPixmap(QStringLiteral(":/window/title.xpm")));
    layout->addWidget(imgTitle);
    return band;
}

QWidget* TfrmMain::BuildPages()
{
    Notebook1 = new QStackedWidget(this);
    Notebook1->setObjectName(QStringLiteral("Notebook1"));
    Notebook1->addWidget(BuildExportTypePage());
    Notebook1->addWidget(BuildDataFilePage());
    Notebook1->addWidget(BuildDateRangePage());
    Notebook1->addWidget(BuildExportFilePage());
    return Notebook1;
}

QWidget* TfrmMain::BuildExportTypePage()
{
    auto* page = new QWidget;
    page->setObjectName(Q(wiztext::kPage1Title));
    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(12, 6, 12, 8);
    layout->setSpacing(12);
    lbExportTypes = new QListWidget(page);
    lbExportTypes->setObjectName(QStringLiteral("lbExportTypes"));
    lbExportTypes->setSelectionMode(QAbstractItemView::SingleSelection);
    lbExportTypes->setMinimumWidth(170);
    layout->addWidget(lbExportTypes, 1);
    grpExplanation = new QGroupBox(Q(wiztext::kExplanationGroup), page);
    auto* explanation = new QVBoxLayout(grpExplanation);
    lblExplanation1 = new QLabel(grpExplanation);
    lblExplanation1->setObjectName(QStringLiteral("lblExplanation1"));
    lblExplanation1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Room for the longest explanation, whichever line is chosen.
    lblExplanation1->setMinimumSize(LargestTextSize(
        *lblExplanation1, {wiztext::kCsvExplanation, wiztext::kHtmlExplanation, wiztext::kIcsExplanation}));
    explanation->addWidget(lblExplanation1, 1);
    layout->addWidget(grpExplanation, 1);

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
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(20, 20, 16, 8);
    layout->addWidget(new QLabel(Q(wiztext::kDataFileLabel), page));
    auto* row = new QHBoxLayout;
    edtDataFilePath = new TPathEdit(page);
    edtDataFilePath->setObjectName(QStringLiteral("edtDataFilePath"));
    row->addWidget(edtDataFilePath, 1);
    Button5 = new QPushButton(Q(wiztext::kBrowseCaption), page);
    Button5->setObjectName(QStringLiteral("Button5"));
    Button5->setMinimumWidth(70);
    row->addWidget(Button5);
    layout->addLayout(row);
    layout->addSpacing(20);
    auto* note = new QLabel(Q(wiztext::kDataFileNote1) + QLatin1Char('\n') + Q(wiztext::kDataFileNote2), page);
    QFont bold = font();
    bold.setBold(true);
    note->setFont(bold);
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(note);
    layout->addStretch(1);

    connect(Button5, &QPushButton::clicked, this, [this] { Guarded([this] { WizardLogic->Button5Click(); }); });
    return page;
}

QWidget* TfrmMain::BuildDateRangePage()
{
    auto* page = new QWidget;
    page->setObjectName(Q(wiztext::kPage3Title));
    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(8);
    fields->addWidget(new QLabel(Q(wiztext::kStartDateLabel), page), 0, 0);
    fields->addWidget(new QLabel(Q(wiztext::kEndDateLabel), page), 0, 2);
    auto makeDateEdit = [this, page](const char* name) {
        auto* edit = new QDateEdit(page);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setMinimumWidth(130);
        edit->setCalendarPopup(true);
        edit->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
        edit->setDateRange(QDate(1, 1, 1), QDate(9999, 12, 31));
        QCalendarWidget* popup = edit->calendarWidget();
        QTextCharFormat saturday = popup->weekdayTextFormat(Qt::Saturday);
        saturday.setForeground(Qt::blue);
        popup->setWeekdayTextFormat(Qt::Saturday, saturday);
        connect(popup, &QCalendarWidget::currentPageChanged, this,
                [this, popup](int year, int month) { ColorDayNumbers(*popup, year, month); });
        return edit;
    };
    DateEdit1 = makeDateEdit("DateEdit1");
    fields->addWidget(DateEdit1, 1, 0);
    auto* separator = new QLabel(Q(wiztext::kRangeSeparator), page);
    separator->setAlignment(Qt::AlignCenter);
    fields->addWidget(separator, 1, 1);
    DateEdit2 = makeDateEdit("DateEdit2");
    fields->addWidget(DateEdit2, 1, 2);

    auto* centred = new QHBoxLayout;
    centred->addStretch(1);
    centred->addLayout(fields);
    centred->addStretch(1);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(12, 50, 12, 8);
    layout->addLayout(centred);
    layout->addStretch(1);
    return page;
}

QWidget* TfrmMain::BuildExportFilePage()
{
    auto* page = new QWidget;
    page->setObjectName(Q(wiztext::kPage4Title));
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(12, 8, 12, 8);
    layout->setSpacing(4);
    layout->addWidget(new QLabel(Q(wiztext::kExportFileLabel), page));
    auto* row = new QHBoxLayout;
    edtExportFile = new TPathEdit(page);
    edtExportFile->setObjectName(QStringLiteral("edtExportFile"));
    row->addWidget(edtExportFile, 1);
    Button1 = new QPushButton(Q(wiztext::kBrowseCaption), page);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setMinimumWidth(70);
    row->addWidget(Button1);
    layout->addLayout(row);
    auto* note = new QLabel(Q(wiztext::kExportFileNote1) + QLatin1Char('\n') + Q(wiztext::kExportFileNote2), page);
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(note);
    layout->addSpacing(4);

    // The options of the three kinds of type share one place: only one
    // kind's show at a time, and the place is as tall as the tallest. The
    // check boxes are as wide as their captions, where a click toggles them.
    auto* options = new QGridLayout;
    auto* csv = new QVBoxLayout;
    chkExportEmptyMemo = new QCheckBox(Q(wiztext::kExportEmptyMemo), page);
    chkExportEmptyMemo->setObjectName(QStringLiteral("chkExportEmptyMemo"));
    csv->addWidget(chkExportEmptyMemo, 0, Qt::AlignLeft);
    chkCsvUtf8 = new QCheckBox(Q(wiztext::kCsvUtf8), page);
    chkCsvUtf8->setObjectName(QStringLiteral("chkCsvUtf8"));
    csv->addWidget(chkCsvUtf8, 0, Qt::AlignLeft);
    options->addLayout(csv, 0, 0, Qt::AlignTop);

    auto* html = new QVBoxLayout;
    html->setSpacing(2);
    lblHTMLSettings = new QLabel(Q(wiztext::kHtmlSettings), page);
    lblHTMLSettings->setObjectName(QStringLiteral("lblHTMLSettings"));
    html->addWidget(lblHTMLSettings);
    HTMLScrollBox = new QScrollArea(page);
    HTMLScrollBox->setObjectName(QStringLiteral("HTMLScrollBox"));
    HTMLScrollBox->setWidgetResizable(true);
    HTMLScrollBox->setWidget(BuildColorSamples());
    // All four rows in view: the box is as tall as the samples.
    HTMLScrollBox->setMinimumHeight(HTMLScrollBox->widget()->sizeHint().height() + 2 * HTMLScrollBox->frameWidth());
    HTMLScrollBox->setMinimumWidth(HTMLScrollBox->widget()->sizeHint().width() + 2 * HTMLScrollBox->frameWidth());
    html->addWidget(HTMLScrollBox);
    options->addLayout(html, 0, 0, Qt::AlignTop);

    auto* ics = new QVBoxLayout;
    chkIcsWithDays = new QCheckBox(Q(wiztext::kIcsWithDays), page);
    chkIcsWithDays->setObjectName(QStringLiteral("chkIcsWithDays"));
    ics->addWidget(chkIcsWithDays, 0, Qt::AlignLeft);
    chkIcsParts = new QCheckBox(Q(wiztext::kIcsParts), page);
    chkIcsParts->setObjectName(QStringLiteral("chkIcsParts"));
    ics->addWidget(chkIcsParts, 0, Qt::AlignLeft);
    options->addLayout(ics, 0, 0, Qt::AlignTop);
    layout->addLayout(options);
    layout->addStretch(1);

    connect(Button1, &QPushButton::clicked, this, [this] { Guarded([this] { WizardLogic->Button1Click(); }); });
    return page;
}

QWidget* TfrmMain::BuildColorSamples()
{
    auto* samples = new QWidget;
    auto* grid = new QGridLayout(samples);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(4);
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
    QFont bold = font();
    bold.setBold(true);
    int line = 0;
    for (const TRow& row : rows) {
        grid->addWidget(new QLabel(Q(row.Caption), samples), line, 0);
        auto* memo = new QPlainTextEdit(samples);
        memo->setReadOnly(true);
        memo->setLineWrapMode(QPlainTextEdit::NoWrap);
        memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        memo->setPlainText(Q(wiztext::kSampleLine1) + QLatin1Char('\n') + Q(wiztext::kSampleLine2));
        memo->setFocusPolicy(Qt::NoFocus);
        if (row.Tag == stDate) memo->setFont(bold);
        // Both lines whole, in the memo's own font.
        const QFontMetrics metrics(memo->font());
        const int margins = 2 * (memo->frameWidth() + static_cast<int>(memo->document()->documentMargin()));
        memo->setFixedSize(
            std::max(metrics.horizontalAdvance(Q(wiztext::kSampleLine1)), metrics.horizontalAdvance(Q(wiztext::kSampleLine2))) +
                margins + 4,
            2 * metrics.lineSpacing() + margins + 2); // a line is its leading rounded up
        grid->addWidget(memo, line, 1);
        *row.Memo = memo;
        *row.TextButton = ColorButton(samples, wiztext::kTextColorButton, row.Tag);
        *row.BackButton = ColorButton(samples, wiztext::kBackColorButton, row.Tag);
        grid->addWidget(*row.TextButton, line, 2);
        grid->addWidget(*row.BackButton, line, 3);
        connect(*row.TextButton, &QPushButton::clicked, this, [this, tag = row.Tag] {
            Guarded([this, tag] { WizardLogic->btnHTMLDateColorClick(tag); });
        });
        connect(*row.BackButton, &QPushButton::clicked, this, [this, tag = row.Tag] {
            Guarded([this, tag] { WizardLogic->btnHTMLDateBkColorClick(tag); });
        });
        ++line;
    }
    grid->setColumnStretch(4, 1);
    memHTMLDate->setObjectName(QStringLiteral("memHTMLDate"));
    memHTMLTime->setObjectName(QStringLiteral("memHTMLTime"));
    memHTMLSchedule->setObjectName(QStringLiteral("memHTMLSchedule"));
    memHTMLMemo->setObjectName(QStringLiteral("memHTMLMemo"));
    // Only the date's background can be chosen; its place stays empty.
    QSizePolicy keepPlace = btnHTMLDateColor->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    btnHTMLDateColor->setSizePolicy(keepPlace);
    btnHTMLDateColor->setVisible(false);
    return samples;
}

QWidget* TfrmMain::BuildBottomBand()
{
    auto* band = new QWidget(this);
    band->setObjectName(QStringLiteral("pnlBottom"));
    band->setFixedHeight(kBottomHeight);
    auto* layout = new QVBoxLayout(band);
    layout->setContentsMargins(0, 0, 8, 9);
    auto* line = new QFrame(band);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setFixedHeight(2);
    layout->addWidget(line);
    layout->addStretch(1);

    // The footer labels stand at their places at the left, as SetFooter puts them.
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

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(2);
    buttons->addStretch(1);
    btnPrevious = new QPushButton(Q(wiztext::kPreviousCaption), band);
    btnPrevious->setObjectName(QStringLiteral("btnPrevious"));
    btnPrevious->setEnabled(false);
    btnNext = new QPushButton(Q(wiztext::kNextCaption), band);
    btnNext->setObjectName(QStringLiteral("btnNext"));
    btnNext->setDefault(true);
    btnCancel = new QPushButton(Q(wiztext::kCancelCaption), band);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    for (QPushButton* button : {btnPrevious, btnNext, btnCancel}) button->setMinimumSize(78, 25);
    buttons->addWidget(btnPrevious);
    buttons->addWidget(btnNext);
    buttons->addSpacing(6);
    buttons->addWidget(btnCancel);
    layout->addLayout(buttons);

    connect(btnNext, &QPushButton::clicked, this, [this] { Guarded([this] { WizardLogic->btnNextClick(); }); });
    connect(btnPrevious, &QPushButton::clicked, this, [this] { Guarded([this] { WizardLogic->btnPreviousClick(); }); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { Guarded([this] { WizardLogic->btnCancelClick(); }); });
    return band;
}

void TfrmMain::ColorDayNumbers(QCalendarWidget& popup, int year, int month)
{
    popup.setDateTextFormat(QDate(), QTextCharFormat());
    // The pop-up shows up to six weeks around the month.
    const QDate first(year, month, 1);
    for (QDate date = first.addDays(-7); date <= first.addDays(48); date = date.addDays(1)) {
        if (!date.isValid() || date.year() < 1 || date.year() > 9999) continue;
        const QColor color = DayNumberColor(
            DayKinds->GetDayKinds(static_cast<std::uint16_t>(date.year()), static_cast<std::uint16_t>(date.month()),
                                  static_cast<std::uint16_t>(date.day())));
        if (!color.isValid()) continue;
        QTextCharFormat format;
        format.setForeground(color);
        popup.setDateTextFormat(date, format);
    }
}

void TfrmMain::SetDayKinds(const TKyCustomDateEx& dates)
{
    DayKinds = &dates;
    for (QDateEdit* edit : {DateEdit1, DateEdit2}) {
        const QCalendarWidget& popup = *edit->calendarWidget();
        ColorDayNumbers(*edit->calendarWidget(), popup.yearShown(), popup.monthShown());
    }
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
    case wcCsvUtf8: return chkCsvUtf8;
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
