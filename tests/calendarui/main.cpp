#include <QApplication>
#include <QTest>

int RunGeometryTests(int argc, char **argv);
int RunLineCutTests(int argc, char **argv);
int RunFontTests(int argc, char **argv);
int RunEventTests(int argc, char **argv);
int RunInputTests(int argc, char **argv);
int RunDrawingTests(int argc, char **argv);

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    int failures = 0;
    for (auto run : {RunGeometryTests, RunLineCutTests, RunFontTests, RunEventTests, RunInputTests, RunDrawingTests})
        failures += run(argc, argv);
    return failures;
}
