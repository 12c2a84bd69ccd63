#pragma once
// The backdrop that fills the desktop behind every screen and hosts the
// sound control.
#include "stage.h"

class Grey final : public Stage {
    Q_OBJECT
public:
    void Form_Load() override;
};
