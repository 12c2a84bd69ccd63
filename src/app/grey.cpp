#include "grey.h"

#include "style.h"

void Grey::Form_Load() {
    setBackColor(style::BackdropBack);
}
