// The signature of every control callback of the program.
#pragma once

#define KVOR_CALLBACK(name)                                                                        \
    int name(int panel, int control, int event, void* callbackData, int eventData1, int eventData2)
