// The rules tests of the information base paint pictures and lay out text documents: they run
// inside a QGuiApplication on the offscreen platform.
#include <QGuiApplication>

#include <gtest/gtest.h>

namespace {

class GuiEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "help_test";
        static char *argv[] = {name, nullptr};
        m_app = new QGuiApplication(argc, argv);
    }
    void TearDown() override { delete m_app; }

private:
    QGuiApplication *m_app = nullptr;
};

[[maybe_unused]] ::testing::Environment *const s_env =
    ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

} // namespace
