#pragma once

#include "INativeFunctionsWrapper.h"

/// All five hooks do nothing; a desktop session keeps running during a
/// transfer on every platform the application supports.
class NativeFunctionsWrapperWindows : public INativeFunctionsWrapper
{
public:
    void reserved1() override {}
    void startPreventLock() override {}
    void endPreventLock() override {}
    void initializeStep1() override {}
    void initializeStep2() override {}
};
