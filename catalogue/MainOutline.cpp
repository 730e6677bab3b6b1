#include "catalogue/MainOutline.h"

#include <cmath>

namespace catalogue {

namespace {

struct RawPoint {
  std::int16_t x, y;
};

// The window's shape as drawn for the background picture, clockwise from the top edge.
constexpr RawPoint kOutline[kMainOutlinePoints] = {
    {223, 0},   {309, 0},   {310, 1},   {336, 1},   {337, 2},   {351, 2},   {352, 3},   {363, 3},   {364, 4},
    {373, 4},   {374, 5},   {381, 5},   {382, 6},   {388, 6},   {389, 7},   {400, 8},   {401, 9},   {415, 11},
    {416, 12},  {423, 13},  {424, 14},  {429, 15},  {432, 16},  {435, 17},  {438, 18},  {441, 19},  {444, 20},
    {449, 22},  {454, 24},  {467, 30},  {469, 32},  {472, 33},  {474, 35},  {477, 36},  {480, 39},  {481, 39},
    {483, 41},  {484, 41},  {489, 46},  {490, 46},  {501, 57},  {501, 58},  {505, 62},  {505, 63},  {508, 66},
    {508, 67},  {510, 69},  {510, 70},  {512, 72},  {513, 75},  {515, 77},  {519, 86},  {521, 91},  {523, 96},
    {524, 99},  {525, 102}, {527, 110}, {528, 113}, {529, 120}, {530, 123}, {531, 134}, {532, 141}, {532, 181},
    {531, 182}, {531, 191}, {530, 192}, {530, 198}, {529, 199}, {528, 210}, {527, 211}, {526, 218}, {525, 221},
    {524, 226}, {523, 229}, {520, 240}, {519, 243}, {517, 248}, {516, 251}, {515, 254}, {513, 259}, {510, 266},
    {500, 287}, {498, 289}, {496, 294}, {494, 296}, {493, 299}, {491, 301}, {491, 302}, {489, 304}, {489, 305},
    {487, 307}, {487, 308}, {485, 310}, {485, 311}, {483, 313}, {483, 314}, {480, 317}, {480, 318}, {477, 321},
    {477, 322}, {473, 326}, {473, 327}, {468, 332}, {468, 333}, {457, 344}, {457, 345}, {452, 350}, {451, 350},
    {440, 361}, {439, 361}, {434, 366}, {433, 366}, {429, 370}, {428, 370}, {425, 373}, {424, 373}, {421, 376},
    {420, 376}, {418, 378}, {417, 378}, {415, 380}, {414, 380}, {412, 382}, {411, 382}, {409, 384}, {408, 384},
    {406, 386}, {403, 387}, {401, 389}, {398, 390}, {396, 392}, {373, 403}, {366, 406}, {361, 408}, {358, 409},
    {353, 411}, {350, 412}, {347, 413}, {344, 414}, {336, 416}, {333, 417}, {328, 418}, {325, 419}, {320, 420},
    {315, 421}, {310, 422}, {303, 423}, {294, 424}, {285, 425}, {271, 425}, {270, 426}, {255, 425}, {243, 425},
    {242, 424}, {234, 424}, {233, 423}, {227, 423}, {226, 422}, {215, 421}, {214, 420}, {207, 419}, {204, 418},
    {199, 417}, {196, 416}, {173, 409}, {172, 408}, {169, 407}, {164, 405}, {157, 402}, {140, 394}, {138, 392},
    {133, 390}, {131, 388}, {128, 387}, {126, 385}, {125, 385}, {123, 383}, {120, 382}, {118, 380}, {117, 380},
    {114, 377}, {113, 377}, {111, 375}, {110, 375}, {107, 372}, {106, 372}, {103, 369}, {102, 369}, {97, 364},
    {96, 364},  {90, 358},  {89, 358},  {67, 336},  {67, 335},  {61, 329},  {61, 328},  {57, 324},  {57, 323},
    {54, 320},  {54, 319},  {51, 316},  {51, 315},  {48, 312},  {48, 311},  {46, 309},  {46, 308},  {44, 306},
    {44, 305},  {42, 303},  {42, 302},  {40, 300},  {39, 297},  {37, 295},  {36, 292},  {34, 290},  {22, 265},
    {19, 258},  {17, 253},  {16, 250},  {15, 247},  {14, 244},  {13, 241},  {12, 238},  {11, 235},  {10, 232},
    {8, 224},   {7, 221},   {5, 210},   {4, 207},   {3, 198},   {2, 193},   {1, 182},   {0, 171},   {0, 143},
    {1, 142},   {1, 132},   {2, 131},   {2, 125},   {3, 124},   {3, 119},   {4, 118},   {4, 114},   {5, 113},
    {6, 106},   {7, 105},   {8, 100},   {10, 95},   {11, 92},   {14, 85},   {17, 78},   {19, 76},   {20, 73},
    {22, 71},   {22, 70},   {24, 68},   {24, 67},   {26, 65},   {26, 64},   {29, 61},   {29, 60},   {45, 44},
    {46, 44},   {49, 41},   {50, 41},   {53, 38},   {54, 38},   {56, 36},   {57, 36},   {59, 34},   {62, 33},
    {64, 31},   {79, 24},   {84, 22},   {89, 20},   {92, 19},   {95, 18},   {98, 17},   {101, 16},  {104, 15},
    {112, 13},  {115, 12},  {120, 11},  {125, 10},  {130, 9},   {135, 8},   {142, 7},   {147, 6},   {156, 5},
    {165, 4},   {174, 3},   {189, 2},   {206, 1},
};

bool InTable(std::int16_t index) { return index >= 0 && index < kMainOutlinePoints; }

// Closest integer, halves to the even neighbour (as the screen arithmetic of the design did).
int RoundHalfEven(double v) { return static_cast<int>(std::nearbyint(v)); }

}  // namespace

std::int16_t MainOutlineX(std::int16_t index) { return InTable(index) ? kOutline[index].x : 0; }
std::int16_t MainOutlineY(std::int16_t index) { return InTable(index) ? kOutline[index].y : 0; }

std::vector<OutlinePoint> ScaleOutline(OutlineCoordinate x, OutlineCoordinate y, int count, float scaleX, float scaleY,
                                       std::int16_t offsetX, std::int16_t offsetY, double twipsPerPixelX,
                                       double twipsPerPixelY) {
  // A screen that reports no size a pixel is taken as the design's 96 dots per inch.
  if (!(twipsPerPixelX > 0)) twipsPerPixelX = 15;
  if (!(twipsPerPixelY > 0)) twipsPerPixelY = 15;
  std::vector<OutlinePoint> points;
  points.reserve(static_cast<size_t>(count > 0 ? count : 0));
  for (std::int16_t i = 0; i < count; ++i) {
    const double px = x(i) * static_cast<double>(scaleX) * 15.0 / twipsPerPixelX + offsetX;
    const double py = y(i) * static_cast<double>(scaleY) * 15.0 / twipsPerPixelY + offsetY;
    points.push_back({RoundHalfEven(px), RoundHalfEven(py)});
  }
  return points;
}

std::vector<OutlinePoint> MainOutline(float scaleX, float scaleY, std::int16_t offsetX, std::int16_t offsetY,
                                      double twipsPerPixelX, double twipsPerPixelY) {
  return ScaleOutline(MainOutlineX, MainOutlineY, kMainOutlinePoints, scaleX, scaleY, offsetX, offsetY, twipsPerPixelX,
                      twipsPerPixelY);
}

}  // namespace catalogue
