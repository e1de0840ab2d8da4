#include "app/TaviApplication.h"

int main(int argc, char** argv) {
    return tavi::app::runTavi(argc, argv);
}
