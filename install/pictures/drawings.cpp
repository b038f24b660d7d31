// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawings.h"

namespace kadmor::pictures {

const QHash<QString, Drawing>& wordDrawings()
{
    static const QHash<QString, Drawing> drawings{
        {"cat", drawCat},   {"fish", drawFish}, {"bird", drawBird}, {"house", drawHouse},   {"book", drawBook},
        {"ball", drawBall}, {"cup", drawCup},   {"car", drawCar},   {"boat", drawBoat},     {"sun", drawSun},
        {"moon", drawMoon}, {"star", drawStar}, {"tree", drawTree}, {"flower", drawFlower}, {"apple", drawApple},
    };
    return drawings;
}

} // namespace kadmor::pictures
