#include "app/calendar/ScheduleCalendarWindow.h"

#include <QKeySequence>
#include <QShortcut>

namespace orvexp {

TScheduleCalendarWindow::TScheduleCalendarWindow(std::unique_ptr<TScheduleCalendarData> data, QWidget* parent)
    : QWidget(parent), FData(std::move(data)), FLayout(this)
{
    setWindowTitle(QString::fromUtf8("Orvanel カレンダー - ") + QString::fromStdString(FData->ScheduleFile()));

    FPrevButton.setText(QString::fromUtf8("< 前月"));
    FTodayButton.setText(QString::fromUtf8("今日"));
    FNextButton.setText(QString::fromUtf8("翌月 >"));
    FStyleBox.addItem(QString::fromUtf8("月表示 1"), int(csMonthly1));
    FStyleBox.addItem(QString::fromUtf8("月表示 2"), int(csMonthly2));
    FStyleBox.addItem(QString::fromUtf8("縦表示"), int(csVertical1));
    FStyleBox.setCurrentIndex(1);
    for (QWidget* control : std::initializer_list<QWidget*>{&FPrevButton, &FTodayButton, &FNextButton, &FStyleBox})
        control->setFocusPolicy(Qt::TabFocus); // a click leaves the keyboard with the calendar
    QFont labelFont = FMonthLabel.font();
    labelFont.setBold(true);
    labelFont.setPointSize(labelFont.pointSize() + 2);
    FMonthLabel.setFont(labelFont);
    FMonthLabel.setAlignment(Qt::AlignCenter);

    FToolbar.addWidget(&FPrevButton);
    FToolbar.addWidget(&FTodayButton);
    FToolbar.addWidget(&FNextButton);
    FToolbar.addWidget(&FMonthLabel, 1);
    FToolbar.addWidget(&FStyleBox);
    FLayout.addLayout(&FToolbar);
    FLayout.addWidget(&FCalendar, 1);

    FCalendar.setMinimumSize(360, 240);
    FCalendar.SetDaysToShow(7);
    FDayFileProblems = FData->LoadDayFiles(FCalendar);
    FData->Attach(FCalendar);
    FCalendar.OnYearMonthChange = [this](TKyCustomCalendar&, std::uint16_t, std::uint16_t, std::uint16_t) {
        UpdateMonthLabel();
    };
    FCalendar.UpdateScheduleSigns();
    UpdateMonthLabel();

    connect(&FPrevButton, &QPushButton::clicked, this, [this] { FCalendar.PrevMonth(); });
    connect(&FNextButton, &QPushButton::clicked, this, [this] { FCalendar.NextMonth(); });
    connect(&FTodayButton, &QPushButton::clicked, this, [this] { ShowDate(DateOf(FCalendar.Now())); });
    connect(&FStyleBox, &QComboBox::currentIndexChanged, this, [this](int index) {
        SetStyle(static_cast<TKyOrvanelCalendarStyle>(FStyleBox.itemData(index).toInt()));
    });
    // Closed from the keyboard as other viewers are; the calendar leaves these keys alone.
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W),
                                     QKeySequence(Qt::CTRL | Qt::Key_Q)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &QWidget::close);
    resize(760, 560);
    FCalendar.setFocus();
}

TScheduleCalendarWindow::~TScheduleCalendarWindow()
{
    // The calendar's events refer to the data: none may run once it is gone.
    FCalendar.OnSetupScheduleSign = nullptr;
    FCalendar.OnDrawScheduleSign = nullptr;
    FCalendar.OnDrawDayContents = nullptr;
    FCalendar.OnYearMonthChange = nullptr;
}

void TScheduleCalendarWindow::ShowDate(TDateTime date)
{
    FCalendar.SetCurrentDate(date);
    FCalendar.setFocus();
}

void TScheduleCalendarWindow::SetStyle(TKyOrvanelCalendarStyle style)
{
    const int index = FStyleBox.findData(int(style));
    if (index >= 0 && index != FStyleBox.currentIndex()) FStyleBox.setCurrentIndex(index);
    FCalendar.SetCalendarStyle(style);
    FCalendar.setFocus();
}

void TScheduleCalendarWindow::UpdateMonthLabel()
{
    FMonthLabel.setText(QString::fromUtf8("%1年%2月").arg(FCalendar.Year()).arg(FCalendar.Month()));
}

} // namespace orvexp
