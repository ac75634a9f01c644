#include "widgets/win32/startup_window.h"

int main() { return velmora::widgets::runStartupWindow("Velmora Disk Cleaner 1.3"); }
