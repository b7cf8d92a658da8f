// The database driver is a Qt plugin, which needs an application object. A
// non-GUI one is enough, so these tests need no display.
#include <QCoreApplication>
#include <gtest/gtest.h>

#include <memory>

namespace {

class CoreApplication : public ::testing::Environment {
public:
    void SetUp() override { app_ = std::make_unique<QCoreApplication>(argc_, argv_); }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[13] = "preset_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QCoreApplication> app_;
};

[[maybe_unused]] ::testing::Environment* const kCoreApplication =
    ::testing::AddGlobalTestEnvironment(new CoreApplication);

}  // namespace
