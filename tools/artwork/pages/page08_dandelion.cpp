// Page 8: a dandelion in flower and a dandelion clock letting its seeds fly.
#include "flowers.h"
#include "pages.h"

namespace pages {

using namespace artkit;

namespace {

void seedTuft(PageDrawing& d, V2 at, double degrees) {
    Place p{at, 1.9, degrees};
    addRegion(d, placed(petal({0, 0}, 90, 2.6, 3.0, 0.72, 1.0), p));
    for (double a : {65.0, 90.0, 115.0}) addStroke(d, placed(Path{{0, 0.2}, polar(1.8, a)}, p));
    addStroke(d, placed(Path{{0, 0}, {0, -2.0}}, p));
    addDot(d, placed(ellipse({0, -2.3}, 0.2, 0.36), p));
}

}  // namespace

void drawDandelion(PageDrawing& d) {
    sun(d, {-31.5, 24.5}, 4.8, 0);
    cloudShape(d, {-7, 28.5}, 12, 5);
    cloudShape(d, {15, 27.5}, 10, 4.5);
    cloudShape(d, {31, 28}, 11, 5);
    cloudShape(d, {31, 14}, 11, 4.6);
    hill(d, {{-39, -3}, {-15, 0}, {10, -2.5}, {39, 0}});
    hill(d, {{-39, -8.5}, {-5, -7}, {20, -9.5}, {39, -8}});
    stem(d, {{-16, 10}, {-14.5, 0}, {-16.5, -12.3}}, 1.8, 2.2);
    stem(d, {{12, 5}, {13.5, -3}, {12, -12.3}}, 1.8, 2.2);
    addRegion(d, toothedLeaf({-16, -10.5}, {-31, -1}, 6, 4, 0.6));
    addRegion(d, toothedLeaf({-15.5, -11.5}, {-2, -3}, 5.6, 4, -0.6));
    addRegion(d, toothedLeaf({12, -10.5}, {1, -1.5}, 5.4, 4, 0.6));
    addRegion(d, toothedLeaf({12.5, -11.5}, {27, -3}, 5.8, 4, -0.6));
    V2 clock = {-16, 17.5};
    addRegion(d, circle(clock, 9.5));
    for (int i = 0; i < 16; ++i) {
        double a = 11.25 + 22.5 * i;
        V2 tip = clock + polar(7.8, a);
        addStroke(d, {clock + polar(1.5, a), tip});
        for (double fan : {-35.0, 0.0, 35.0}) addStroke(d, {tip, tip + polar(1.1, a + fan)});
    }
    addDot(d, circle(clock, 1.1));
    addRegion(d, scallopedCircle({12, 11}, 8.2, 1.2, 16));
    addRegion(d, scallopedCircle({12, 11}, 5.5, 0.9, 12, 15));
    addRegion(d, circle({12, 11}, 2.6));
    face(d, {12, 11}, 1.8);
    seedTuft(d, {-2.5, 19}, -20);
    seedTuft(d, {2.5, 25}, -35);
    seedTuft(d, {23, 21}, -15);
    seedTuft(d, {-31, 11}, 25);
    tuft(d, {-33, -11}, 6, 4.5, 5);
    tuft(d, {-1, -11.2}, 6, 4, 4);
    tuft(d, {34.5, -11}, 6, 4.5, 4);
    ladybird(d, {{28, -6.5}, 4.4, 20});
}

}  // namespace pages
