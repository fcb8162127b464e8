// The display-options window: how the main window fits the screen.
#pragma once

#include "Form.h"

class OstraneG : public Form {
public:
    OstraneG();

protected:
    void CreateControls() override;
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;
};

// Created by the main window's options button the first time it is pressed, kept for the run.
extern Form* FenOptions;
