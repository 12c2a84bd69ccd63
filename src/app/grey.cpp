#include "grey.h"

void Grey::Form_Load() {
    setBackColor(QColor(48, 133, 214));
}
