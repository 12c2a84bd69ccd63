#pragma once
// Lets one test binary hold several QObject test classes: each file registers
// its class with OSTERVALE_TEST(Class) and the shared main runs them in turn.
#include <QObject>
#include <functional>
#include <memory>
#include <vector>

namespace testing_support {
using Factory = std::function<std::unique_ptr<QObject>()>;
std::vector<Factory>& registry();
struct Registrar {
    explicit Registrar(Factory f) { registry().push_back(std::move(f)); }
};
} // namespace testing_support

#define OSTERVALE_TEST(Class)                                                                      \
    static const testing_support::Registrar registrar_##Class{                                     \
        [] { return std::unique_ptr<QObject>(new Class); }};
