#pragma once
#include "stage.h"

// The backdrop that fills the desktop behind every screen and hosts the
// sound control.
class Grey final : public Stage {
    Q_OBJECT
public:
    void Form_Load() override;
};
