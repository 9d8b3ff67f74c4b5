#include "gui/app/TimerApp.h"

int main(int argc, char** argv) {
    TimerApp app(argc, argv);
    return app.InitInstance();
}
