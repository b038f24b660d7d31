// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>

class QPainter;

namespace kadmor::pictures {

// Every drawing paints a 200 by 200 canvas; the caller scales the painter to the picture's size.
constexpr int canvasSize = 200;

using Drawing = void (*)(QPainter&);

// The sample words' pictures, by the base name of their file ("sun" for sun.bmp).
const QHash<QString, Drawing>& wordDrawings();

void drawCat(QPainter& p);
void drawFish(QPainter& p);
void drawBird(QPainter& p);

void drawHouse(QPainter& p);
void drawBook(QPainter& p);
void drawBall(QPainter& p);
void drawCup(QPainter& p);
void drawCar(QPainter& p);
void drawBoat(QPainter& p);

void drawSun(QPainter& p);
void drawMoon(QPainter& p);
void drawStar(QPainter& p);
void drawTree(QPainter& p);
void drawFlower(QPainter& p);
void drawApple(QPainter& p);

} // namespace kadmor::pictures
