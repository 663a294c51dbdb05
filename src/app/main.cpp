// The program: start-up, then the event loop until the main window closes.
#include "Quorvila.h"
#include "application.h"

int main(int argc, char **argv)
{
    app::Application application(argc, argv);
    application.setApplicationName("Quorvila");
    app::Quorvila program;
    if (!program.start())
        return 0;
    return application.exec();
}
