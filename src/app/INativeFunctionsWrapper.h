#pragma once

/// Platform hooks; the connections keep the computer awake during transfers.
class INativeFunctionsWrapper
{
public:
    virtual ~INativeFunctionsWrapper() = default;
    virtual void reserved1() = 0;
    virtual void startPreventLock() = 0;
    virtual void endPreventLock() = 0;
    virtual void initializeStep1() = 0;
    virtual void initializeStep2() = 0;
};
