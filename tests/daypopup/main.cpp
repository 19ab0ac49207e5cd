#include <QApplication>
#include <QTest>

int RunDayPopupTests(int argc, char **argv);
int RunCalendarSettingsTests(int argc, char **argv);
int RunCalendarContentsTests(int argc, char **argv);

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    int failures = RunDayPopupTests(argc, argv);
    failures += RunCalendarSettingsTests(argc, argv);
    failures += RunCalendarContentsTests(argc, argv);
    return failures;
}
