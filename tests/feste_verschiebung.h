// A fixed shift in place of BETA2007 for the format tests and their fuzz
// harness: every point moved by the same amount between Potsdam and
// ETRS89, points far from Germany refused as the grid refuses them.
#pragma once

#include "datum/datum.h"

#include <string>

class FesteVerschiebung final : public quadrix::Transformation {
public:
    bool zuPotsdam(double& b, double& l) const override { return schiebe(b, l, -1); }
    bool vonPotsdam(double& b, double& l) const override { return schiebe(b, l, 1); }
    const std::string& beschreibung() const override { return m_name; }

private:
    static bool schiebe(double& b, double& l, int richtung)
    {
        if (!(b > 47 && b < 56 && l > 5 && l < 16))
            return false;
        b += richtung * 0.001;
        l += richtung * 0.0015;
        return true;
    }
    std::string m_name = "Verschiebung";
};
