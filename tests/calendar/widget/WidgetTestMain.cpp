// Runs every registered test class of the calendar control in one application.

#include <QApplication>
#include <QTest>

#include "WidgetTestSupport.h"

namespace orvexp::test {

std::vector<TTestFactory>& RegisteredTests()
{
    static std::vector<TTestFactory> tests;
    return tests;
}

} // namespace orvexp::test

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int failed = 0;
    for (const auto& factory : orvexp::test::RegisteredTests()) {
        const std::unique_ptr<QObject> test = factory();
        if (QTest::qExec(test.get(), argc, argv) != 0) ++failed;
    }
    return failed == 0 ? 0 : 1;
}
