#include "app/qt_text.h"
