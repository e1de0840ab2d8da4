#include "app/TaviApplication.h"
#include "platform/dbus/BusTypes.h"

int main(int argc, char** argv) {
    tavi::platform::RegisterBusTypes();
    return tavi::app::runTavi(argc, argv);
}
