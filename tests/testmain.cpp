#include "testmain.h"

#include <QApplication>
#include <QTest>

namespace testing_support {
std::vector<Factory>& registry() {
    static std::vector<Factory> all;
    return all;
}
} // namespace testing_support

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int failed = 0;
    for (const auto& make : testing_support::registry()) {
        auto test = make();
        failed += QTest::qExec(test.get(), argc, argv) != 0;
    }
    return failed == 0 ? 0 : 1;
}
