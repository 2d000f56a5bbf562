#pragma once
// A moment as a calendar and a clock read it, in whatever zone the caller
// chose (the file times shown to the user are local).
struct CivilTime {
    int year = 1970;
    int month = 1;   // 1 to 12
    int day = 1;     // 1 to 31
    int hour = 0;
    int minute = 0;
    int second = 0;
};
