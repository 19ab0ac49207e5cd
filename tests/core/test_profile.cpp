#include "core/profile.h"
#include "support/testhome.h"

#include <QtTest>

class TestProfile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void placeholder() { QVERIFY(true); }
};

QTEST_GUILESS_MAIN(TestProfile)
#include "test_profile.moc"
