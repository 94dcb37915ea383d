// The 21 pages of the book: their archives and how many colourable regions each
// has. Plain data with no dependencies, so the artwork tool that draws the pages
// and the tests check against this very table.
#pragma once

struct ColoringPage {
    int number;            // 1..21
    const char* archive;   // "page01.pak" ... "page21.pak"
    int elementCount;      // regions "el1" ... "el<N>"
};

constexpr int kPageCount = 21;

inline constexpr ColoringPage pageTable[kPageCount] = {
    {1, "page01.pak", 23},  {2, "page02.pak", 35},  {3, "page03.pak", 20},  {4, "page04.pak", 26},
    {5, "page05.pak", 25},  {6, "page06.pak", 43},  {7, "page07.pak", 31},  {8, "page08.pak", 28},
    {9, "page09.pak", 18},  {10, "page10.pak", 36}, {11, "page11.pak", 28}, {12, "page12.pak", 28},
    {13, "page13.pak", 28}, {14, "page14.pak", 34}, {15, "page15.pak", 23}, {16, "page16.pak", 31},
    {17, "page17.pak", 23}, {18, "page18.pak", 54}, {19, "page19.pak", 17}, {20, "page20.pak", 23},
    {21, "page21.pak", 45},
};
