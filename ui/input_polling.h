// The stylus, the keys and the clock read outside the normal message flow:
// drag loops and long computations poll them.
#pragma once

#include <cstdint>

// The stylus: *down = 0 at once when it is not held. Otherwise the next
// message is taken from the queue (waiting for one): a pen move gives x and y
// from its position, any other message the stylus position (client
// coordinates of the message's window); *down = 1. Pen messages taken here are
// consumed; a timer tick is dropped (the next period brings another); any
// other message is dispatched, so nothing the user or the program sent is
// lost. The quit message and the ids below it (paint among them) are not
// taken: they wait for the message loop.
void GetPenState(int* x, int* y, int* down);

// The key's asynchronous state has its high bit set.
bool IsKeyDown(int vk);
// Page Down, Down, Page Up, Up, Left or Right is held (polled in that order).
bool IsArrowKeyDown();

// Remove every waiting key message (256..264) / pen message (512..522).
void FlushKeyEvents();
void FlushPenEvents();

// Polls the queue without sleeping until a pen-up (removed, like the pen
// messages before it) or a key message (left waiting) arrives; returns 1.
int WaitPenUpOrKey();

// The tick count in seconds, ticks per second (1000) and the raw tick count (ms).
uint32_t GetSeconds();
int GetTicksPerSecond();
uint32_t GetTicks();

// The device's local date and time.
void GetLocalDateTime(int* year, int* month, int* day, int* hour, int* minute, int* second);
