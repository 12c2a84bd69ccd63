// The backdrop behind every screen.
#include "grey.h"

#include "style.h"

void Grey::Form_Load() {
    setBackColor(style::BackdropBack);
}

#include "moc_grey.cpp"
