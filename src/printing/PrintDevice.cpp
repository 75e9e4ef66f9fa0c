#include "printing/PrintDevice.h"

PrintDevice::~PrintDevice() = default;
