#include "editor/skeleton/skeleton_fit.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <queue>
#include <utility>

#include "editor/skeleton/body_slices.h"
#include "editor/skeleton/point_math.h"
#include "editor/skeleton/pose_math.h"
#include "editor/skeleton/skeleton_scene.h"

namespace editor::skeleton {

using namespace points;

namespace {

// Shares of the body's height unless said otherwise.
constexpr double kHipAboveCrotch = 0.08;
constexpr double kHipBelowShare = 0.05;
constexpr double kBehindBody = 0.06;
// The knee is where the leg bends when its centre line leaves the hip-ankle line this far.
constexpr double kKneeBend = 0.045;
// The elbow likewise, from the shoulder-wrist line.
constexpr double kElbowBend = 0.03;
// A bent elbow is the middle of the arm's points this near the bend's outermost point.
constexpr double kElbowReach = 0.04;
// ... and within this multiple of the skeleton's upper arm and forearm of shoulder and wrist.
constexpr double kLongestBone = 1.25;
constexpr double kKneeRange[2] = {0.35, 0.65};
// Arm points farther from the shoulder than this multiple of the skeleton's arm are not hand.
constexpr double kLongestReach = 1.3;
constexpr int kArmBins = 12;
// Gaps in an arm's points up to this share of the height are bridged.
constexpr double kArmStep = 0.05;
constexpr double kUnreached = 1e300;
// The far end of an arm: points this close to its farthest reach.
constexpr double kHandEnd = 0.015;
constexpr double kWidestTrunk = 1.2;
// The chest's slices, as shares of the way from the hip anchor up to the shoulders.
constexpr double kChestFrom = 0.5;
constexpr double kChestTo = 0.9;
constexpr double kChestShift = 0.05;

struct SideJoints {
    int hip, knee, ankle, toes, shoulder, elbow, wrist, fingertips;
    double sign;  // +1 left (+Y), -1 right
};
constexpr SideJoints kSides[2] = {{1, 2, 3, 4, 11, 12, 13, 14, 1.0},
                                  {5, 6, 7, 8, 17, 18, 19, 20, -1.0}};
constexpr int kSpine[5] = {9, 10, 26, 27, 28};  // lower back .. top of head

// The player skeleton's own proportions, display space.
JointPositions BuiltInJoints() {
    PoseVec pose[NUM_JOINTS];
    BuiltInJointPositions(pose);
    JointPositions joints{};
    for (int j = 0; j < NUM_JOINTS; ++j) {
        const Vector v = DisplayFromPose(pose[j]);
        joints[j] = {v.x, v.y, v.z};
    }
    return joints;
}

double StandingHeight(const JointPositions& joints) {
    return joints[TOP_OF_HEAD_JOINT].z -
           std::min(joints[kSides[0].toes].z, joints[kSides[1].toes].z);
}

double SegmentDistance(const Point3& p, const Point3& a, const Point3& b) {
    const Point3 ab = Sub(b, a);
    const double length2 = Dot(ab, ab);
    const double t = length2 > 0.0 ? std::clamp(Dot(Sub(p, a), ab) / length2, 0.0, 1.0) : 0.0;
    return Norm(Sub(p, Lerp(a, b, t)));
}

// The knee: when the leg clearly bends (its centre line strays from the straight hip-ankle
// line), the slice whose centre makes thigh and calf the two straight lines that follow the
// centre line best; otherwise at the skeleton's own thigh-to-calf proportion. The best pair of
// lines is steadier than the single farthest point, which a thigh's or calf's bulge can move.
double KneeHeight(const Body& body, int side, const Point3& hip, const Point3& ankle,
                  double proportion) {
    const Point3 along = Sub(ankle, hip);
    const double length = Norm(along);
    // Knees bend in the middle part of the leg, not at a thigh's bulge or a calf's.
    const auto inKneeRange = [&](const LegSlice& s) {
        const double down = (hip.z - s.z) / (hip.z - ankle.z);
        return down >= kKneeRange[0] && down <= kKneeRange[1];
    };
    double farthest = 0.0;
    for (const LegSlice& s : body.legs) {
        if (inKneeRange(s)) {
            farthest = std::max(farthest, Norm(Cross(Sub(s.centre[side], hip), along)) / length);
        }
    }
    const double straightKnee = hip.z + proportion * (ankle.z - hip.z);
    if (farthest <= kKneeBend * body.height) {
        return straightKnee;
    }
    double kneeZ = straightKnee;
    double best = 1e300;
    for (const LegSlice& knee : body.legs) {
        if (!inKneeRange(knee)) {
            continue;
        }
        double misfit = 0.0;
        for (const LegSlice& s : body.legs) {
            if (s.z <= hip.z && s.z >= ankle.z) {
                const double d =
                    std::min(SegmentDistance(s.centre[side], hip, knee.centre[side]),
                             SegmentDistance(s.centre[side], knee.centre[side], ankle));
                misfit += d * d;
            }
        }
        if (misfit < best) {
            best = misfit;
            kneeZ = knee.z;
        }
    }
    return kneeZ;
}

void FitLeg(const Body& body, const JointPositions& model, int side, double hipZ,
            JointPositions& joints) {
    const SideJoints& s = kSides[side];
    const double h = body.height;
    const double scale = h / StandingHeight(model);
    Point3 hip = LegCentre(body, side, body.crotch);
    hip.z = hipZ;
    hip.x = body.SpineX(hipZ);
    const double ankleHeight = (model[s.ankle].z - model[s.toes].z) * scale;
    // Across and front to back, the ankle is measured in a slice clear of the foot's top.
    Point3 ankle = LegCentre(body, side, body.floor + ankleHeight + 2.0 * SLICE_HALF * h);
    ankle.z = body.floor + ankleHeight;
    const double thigh = model[s.hip].z - model[s.knee].z;
    const double calf = model[s.knee].z - model[s.ankle].z;
    const double kneeZ = KneeHeight(body, side, hip, ankle, thigh / (thigh + calf));
    Point3 knee = LegCentre(body, side, kneeZ);
    knee.z = kneeZ;
    // The toes: at the front of the foot, the part of the surface below the ankle on this side.
    Point3 toes = {ankle.x - (model[s.ankle].x - model[s.toes].x) * scale, ankle.y, body.floor};
    double front = 1e300;
    const double reach = 3.0 * std::max(LegRadius(body, side, ankle.z), 0.02 * h);
    // Feet close together are parted where the legs part lowest.
    const double split = (body.legs.front().centre[0].y + body.legs.front().centre[1].y) / 2.0;
    for (const Point3& p : body.points) {
        if (p.z < ankle.z && (p.y - split) * s.sign > 0.0 && std::fabs(p.y - ankle.y) < reach &&
            p.x < front) {
            front = p.x;
        }
    }
    if (front < ankle.x) {
        toes.x = front + 0.1 * (ankle.x - front);
    }
    toes.z = body.floor + 0.2 * (ankle.z - body.floor);
    joints[s.hip] = hip;
    joints[s.knee] = knee;
    joints[s.ankle] = ankle;
    joints[s.toes] = toes;
}

// The points that may belong to an arm on one side: beside the trunk (or, from the shoulders
// up, beside the shoulder), above the knees, not on a leg and not behind the body (wings,
// capes), within the arm's reach.
std::vector<Point3> ArmPoints(const Body& body, int side, const Point3& shoulder, double reach) {
    const double sign = kSides[side].sign;
    const double lateral = std::fabs(shoulder.y - body.middleY);
    const double step = SLICE_STEP * body.height;
    const double lowest = body.floor + 0.3 * body.height;
    const double trunkTop = shoulder.z - 0.04 * body.height;
    std::vector<double> trunkEdge;
    for (double z = lowest; z < trunkTop + step; z += step) {
        const auto [low, high] = TrunkAcross(body, z);
        trunkEdge.push_back(sign > 0 ? high - body.middleY : body.middleY - low);
    }
    // An arm that touches the trunk widens it: no slice of the trunk between the crotch and the
    // shoulders is counted much wider than its narrower slices.
    std::vector<double> trunkWidths;
    for (size_t i = 0; i < trunkEdge.size(); ++i) {
        if (lowest + static_cast<double>(i) * step >= body.crotch) {
            trunkWidths.push_back(trunkEdge[i]);
        }
    }
    if (!trunkWidths.empty()) {
        // A quarter of the slices in: arms may touch the trunk over half its height.
        std::nth_element(trunkWidths.begin(), trunkWidths.begin() + trunkWidths.size() / 4,
                         trunkWidths.end());
        const double widest = kWidestTrunk * trunkWidths[trunkWidths.size() / 4];
        for (double& edge : trunkEdge) {
            edge = std::min(edge, widest);
        }
    }
    // The spine's depth slice by slice, looked up for every point.
    std::vector<double> spineX;
    for (double z = lowest; z <= body.top + step; z += step) {
        spineX.push_back(body.SpineX(z));
    }
    std::vector<Point3> arm;
    for (const Point3& p : body.points) {
        const double out = (p.y - body.middleY) * sign;
        if (p.z < lowest ||
            p.x > spineX[std::min(spineX.size() - 1, static_cast<size_t>((p.z - lowest) / step))] +
                      kBehindBody * body.height ||
            Norm(Sub(p, shoulder)) > reach) {
            continue;
        }
        if (p.z >= trunkTop ? out < 0.9 * lateral
                            : out <= trunkEdge[static_cast<size_t>((p.z - lowest) / step)] +
                                         TRUNK_GAP * body.height) {
            continue;
        }
        bool onLeg = false;
        if (p.z <= body.crotch) {
            for (int leg = 0; leg < 2; ++leg) {
                const Point3 c = LegCentre(body, leg, p.z);
                onLeg |= std::hypot(p.x - c.x, p.y - c.y) < 1.3 * LegRadius(body, leg, p.z);
            }
        }
        if (!onLeg) {
            arm.push_back(p);
        }
    }
    return arm;
}

// A point a given share of the way along a polyline.
Point3 AlongPolyline(const std::vector<Point3>& line, double share) {
    double total = 0.0;
    for (size_t i = 0; i + 1 < line.size(); ++i) {
        total += Norm(Sub(line[i + 1], line[i]));
    }
    double wanted = share * total;
    for (size_t i = 0; i + 1 < line.size(); ++i) {
        const double piece = Norm(Sub(line[i + 1], line[i]));
        if (wanted <= piece && piece > 0.0) {
            return Lerp(line[i], line[i + 1], wanted / piece);
        }
        wanted -= piece;
    }
    return line.back();
}

// The point of the arm's centre line between its start and the wrist farthest from the straight
// line between them, when it is farther than `least`: where the arm bends.
std::optional<Point3> BentElbow(const std::vector<Point3>& line, const Point3& start,
                                const Point3& wrist, double least) {
    const Point3 along = Sub(wrist, start);
    const double length = Norm(along);
    std::optional<Point3> elbow;
    double farthest = least;
    for (const Point3& p : line) {
        const double t = length > 0.0 ? Dot(Sub(p, start), along) / (length * length) : 0.0;
        if (t <= 0.2 || t >= 0.8) {
            continue;
        }
        const double off = Norm(Cross(Sub(p, start), along)) / length;
        if (off > farthest) {
            farthest = off;
            elbow = p;
        }
    }
    return elbow;
}

// Shortest distances through the cloud (steps no longer than `step`) from the points nearest
// the start; kUnreached for points not connected to them.
std::vector<double> DistancesAlong(const std::vector<Point3>& points, const Point3& start,
                                   double step) {
    std::vector<double> distance(points.size(), kUnreached);
    double nearest = kUnreached;
    for (const Point3& p : points) {
        nearest = std::min(nearest, Norm(Sub(p, start)));
    }
    using Entry = std::pair<double, size_t>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> queue;
    for (size_t i = 0; i < points.size(); ++i) {
        if (Norm(Sub(points[i], start)) <= nearest + step) {
            distance[i] = Norm(Sub(points[i], start));
            queue.emplace(distance[i], i);
        }
    }
    while (!queue.empty()) {
        const auto [d, i] = queue.top();
        queue.pop();
        if (d > distance[i]) {
            continue;
        }
        for (size_t j = 0; j < points.size(); ++j) {
            const double hop = Norm(Sub(points[j], points[i]));
            if (hop <= step && d + hop < distance[j]) {
                distance[j] = d + hop;
                queue.emplace(distance[j], j);
            }
        }
    }
    return distance;
}

void FitArm(const Body& body, const JointPositions& model, int side, const Point3& shoulder,
            JointPositions& joints) {
    const SideJoints& s = kSides[side];
    const double scale = body.height / StandingHeight(model);
    const double upper = Norm(Sub(model[s.elbow], model[s.shoulder]));
    const double lower = Norm(Sub(model[s.wrist], model[s.elbow]));
    const double hand = Norm(Sub(model[s.fingertips], model[s.wrist]));
    const double arm = (upper + lower + hand) * scale;
    const std::vector<Point3> points = ArmPoints(body, side, shoulder, kLongestReach * arm);
    joints[s.shoulder] = shoulder;
    if (points.size() < 4) {
        // No arm found: the skeleton's own arm, hanging from the shoulder as it was.
        for (int j : {s.elbow, s.wrist, s.fingertips}) {
            joints[j] = Add(shoulder, Scale(Sub(model[j], model[s.shoulder]), scale));
        }
        return;
    }
    // Distances along the arm from the points nearest the shoulder: a raised forearm is
    // farther along than the side of the arm hanging below the shoulder.
    const std::vector<double> along = DistancesAlong(points, shoulder, kArmStep * body.height);
    // The starting points are always reached, so some point is.
    size_t tipIndex =
        static_cast<size_t>(std::min_element(along.begin(), along.end()) - along.begin());
    for (size_t i = 0; i < points.size(); ++i) {
        if (along[i] < kUnreached && along[i] > along[tipIndex]) {
            tipIndex = i;
        }
    }
    // The fingertips: the middle of the arm's far end, only the points beside the farthest one
    // (a hand raised back beside the shoulder can end as far along as the elbow: the middle of
    // both would lie in the air between them).
    Point3 tip{};
    int atEnd = 0;
    for (size_t i = 0; i < points.size(); ++i) {
        if (along[i] < kUnreached && along[i] >= along[tipIndex] - kHandEnd * body.height &&
            Norm(Sub(points[i], points[tipIndex])) <= kArmStep * body.height) {
            tip = Add(tip, points[i]);
            ++atEnd;
        }
    }
    tip = Scale(tip, 1.0 / atEnd);
    const double tipDistance = std::max(along[tipIndex], 1e-9);
    // The centre line: the middle of the points at each distance along the arm.
    std::vector<Point3> sums(kArmBins, Point3{});
    std::vector<int> counts(kArmBins, 0);
    for (size_t i = 0; i < points.size(); ++i) {
        if (along[i] >= kUnreached) {
            continue;
        }
        const int bin = std::min(kArmBins - 1, static_cast<int>(along[i] / tipDistance * kArmBins));
        sums[bin] = Add(sums[bin], points[i]);
        ++counts[bin];
    }
    std::vector<Point3> line{shoulder};
    for (int bin = 1; bin < kArmBins; ++bin) {
        if (counts[bin] > 0) {
            line.push_back(Scale(sums[bin], 1.0 / counts[bin]));
        }
    }
    line.push_back(tip);
    const double total = upper + lower + hand;
    const Point3 wrist = AlongPolyline(line, (upper + lower) / total);
    // The bend is measured from the arm's own centre line, not from the shoulder: the shoulder
    // is placed by the skeleton's proportions, and where a hanging arm meets the trunk only its
    // outer side is seen, so a straight arm's line starts beside the shoulder, not at it.
    const Point3& armStart = line.size() > 2 ? line[1] : shoulder;
    std::optional<Point3> elbow = BentElbow(line, armStart, wrist, kElbowBend * body.height);
    if (elbow) {
        // A forearm folded back beside the upper arm blurs the centre line at the bend: the
        // elbow is at the point of the arm (short of the wrist) farthest from the
        // shoulder-wrist line, drawn into the limb; never farther from either than the bones
        // reach (a hand or weapon held near the arm is not its bend).
        const double wristAlong = tipDistance * (upper + lower) / total;
        std::optional<size_t> farthest;
        double farthestOff = SegmentDistance(*elbow, shoulder, wrist);
        for (size_t i = 0; i < points.size(); ++i) {
            const double off = SegmentDistance(points[i], shoulder, wrist);
            if (along[i] < wristAlong && off > farthestOff &&
                Norm(Sub(points[i], shoulder)) <= kLongestBone * upper * scale &&
                Norm(Sub(points[i], wrist)) <= kLongestBone * lower * scale) {
                farthestOff = off;
                farthest = i;
            }
        }
        if (farthest) {
            Point3 sum{};
            int near = 0;
            for (const Point3& p : points) {
                if (Norm(Sub(p, points[*farthest])) <= kElbowReach * body.height) {
                    sum = Add(sum, p);
                    ++near;
                }
            }
            // Only a bend clearly deeper than the centre line's: on a straight arm the
            // outermost point is just a corner of its surface.
            const Point3 drawnIn = Scale(sum, 1.0 / near);
            if (SegmentDistance(drawnIn, shoulder, wrist) >
                SegmentDistance(*elbow, shoulder, wrist) + kElbowBend * body.height) {
                elbow = drawnIn;
            }
        }
    }
    joints[s.elbow] = elbow.value_or(AlongPolyline(line, upper / total));
    joints[s.wrist] = wrist;
    joints[s.fingertips] = tip;
}

// The middle of the chest across: the median middle of the trunk's slices between the hip
// anchor and the shoulders (their upper half; the belly's slices lean with the hips). A
// character standing with her weight on one leg carries her hips off her chest's line; the
// upper spine and the shoulders belong on the chest's. An arm joining the trunk on one side
// only can move a slice's middle a lot: beyond kChestShift of the height the hips' middle stays.
double ChestMiddleY(const Body& body, double anchorZ, double shoulderZ) {
    std::vector<double> middles;
    const double step = SLICE_STEP * body.height;
    for (double z = anchorZ + kChestFrom * (shoulderZ - anchorZ);
         z <= anchorZ + kChestTo * (shoulderZ - anchorZ); z += step) {
        const auto [low, high] = TrunkAcross(body, z);
        middles.push_back((low + high) / 2.0);
    }
    if (middles.empty()) {
        return body.middleY;
    }
    std::nth_element(middles.begin(), middles.begin() + middles.size() / 2, middles.end());
    const double chest = middles[middles.size() / 2];
    return std::fabs(chest - body.middleY) <= kChestShift * body.height ? chest : body.middleY;
}

// The minimal turn taking unit vector a onto unit vector b, applied to v.
Point3 TurnLike(const Point3& a, const Point3& b, const Point3& v) {
    const Point3 axis = Cross(a, b);
    const double sine = Norm(axis);
    const double cosine = Dot(a, b);
    if (sine < 1e-9) {
        return cosine > 0.0 ? v : Scale(v, -1.0);
    }
    const Point3 k = Scale(axis, 1.0 / sine);
    // Rodrigues' rotation formula.
    return Add(Add(Scale(v, cosine), Scale(Cross(k, v), sine)),
               Scale(k, Dot(k, v) * (1.0 - cosine)));
}

Point3 Direction(const Point3& from, const Point3& to) {
    const Point3 d = Sub(to, from);
    const double n = Norm(d);
    return n > 0.0 ? Scale(d, 1.0 / n) : Point3{0.0, 0.0, 1.0};
}

bool IsBodyJoint(int joint) {
    for (const SideJoints& s : kSides) {
        for (int j : {s.hip, s.knee, s.ankle, s.toes, s.shoulder, s.elbow, s.wrist, s.fingertips}) {
            if (j == joint) {
                return true;
            }
        }
    }
    return joint == ROOT_JOINT ||
           std::find(std::begin(kSpine), std::end(kSpine), joint) != std::end(kSpine);
}

// Grips, weapons, stored weapons and armour keep their place relative to their parent joint:
// turned as the parent's bone turned and scaled with the skeleton.
void CarryEquipment(const JointPositions& current, double scale, JointPositions& joints) {
    for (const JointOrderEntry& entry : jointOrder) {
        const int j = entry.joint;
        if (entry.parent < 0 || IsBodyJoint(j)) {
            continue;
        }
        const int p = entry.parent;
        const int parentBone = BoneEndingAt(p);
        Point3 offset = Scale(Sub(current[j], current[p]), scale);
        if (parentBone != NO_BONE) {
            const int grand = boneTable[parentBone].startJoint;
            offset = TurnLike(Direction(current[grand], current[p]),
                              Direction(joints[grand], joints[p]), offset);
        }
        joints[j] = Add(joints[p], offset);
    }
}

}  // namespace

std::optional<BodyMeasure> MeasureBody(const std::vector<Triangle3>& triangles) {
    Body body;
    SkeletonFitFailure failure = SkeletonFitFailure::None;
    if (!SliceBody(triangles, body, failure)) {
        return std::nullopt;
    }
    return BodyMeasure{body.floor, body.headTop, body.bodyX, body.middleY};
}

SkeletonFit FitSkeleton(const std::vector<Triangle3>& triangles, const JointPositions& current) {
    SkeletonFit fit;
    Body body;
    if (!SliceBody(triangles, body, fit.failure)) {
        return fit;
    }
    const JointPositions model = BuiltInJoints();
    const double scale = body.height / StandingHeight(model);
    JointPositions& joints = fit.joints;

    const double hipDrop = (model[ROOT_JOINT].z - (model[1].z + model[5].z) / 2.0) * scale;
    const double hipShare =
        ((model[1].z + model[5].z) / 2.0 - model[kSides[0].toes].z) / StandingHeight(model);
    // The shoulders hang from the spine measured up from the crotch: thighs that touch hide the
    // crotch lower down, so the hips it gives stay no more than a little below the skeleton's
    // own proportion (0.55 of its height; a typical crotch is at 0.47).
    const double crotchHipZ = std::max(body.crotch + kHipAboveCrotch * body.height,
                                       body.floor + (hipShare - kHipBelowShare) * body.height);
    const double crotchAnchorZ = crotchHipZ + hipDrop;
    const double shoulderZ =
        crotchAnchorZ + (body.headTop - crotchAnchorZ) *
                            ((model[11].z + model[17].z) / 2.0 - model[ROOT_JOINT].z) /
                            (model[TOP_OF_HEAD_JOINT].z - model[ROOT_JOINT].z);
    // The trunk itself keeps the skeleton's proportions unless a high crotch shows longer legs:
    // a low crotch is as often a skirt or touching thighs as short legs.
    const double hipZ =
        std::max(body.crotch + kHipAboveCrotch * body.height, body.floor + hipShare * body.height);
    for (int side = 0; side < 2; ++side) {
        FitLeg(body, model, side, crotchHipZ, joints);
        joints[kSides[side].hip].z = hipZ;
        joints[kSides[side].hip].x = body.SpineX(hipZ);
    }
    const double anchorZ = hipZ + hipDrop;
    joints[ROOT_JOINT] = {body.SpineX(anchorZ), body.middleY, anchorZ};

    // The spine shares the skeleton's proportions between the hip anchor and the top of the head.
    const double spineScale =
        (body.headTop - anchorZ) / (model[TOP_OF_HEAD_JOINT].z - model[ROOT_JOINT].z);
    const double chestY = ChestMiddleY(body, anchorZ, shoulderZ);
    for (int j : kSpine) {
        const double z = anchorZ + (model[j].z - model[ROOT_JOINT].z) * spineScale;
        // The lower back stays over the hips; from the upper back up the spine is the chest's.
        joints[j] = {body.SpineX(j == TOP_OF_HEAD_JOINT ? z - 0.03 * body.height : z),
                     j == kSpine[0] ? body.middleY : chestY, z};
    }
    // Shoulders mirror each other: the skeleton's two sides differ by a few hundredths.
    const double shoulderOut = (model[11].y - model[17].y) / 2.0 * scale;
    for (int side = 0; side < 2; ++side) {
        const Point3 shoulder = {body.SpineX(shoulderZ), chestY + kSides[side].sign * shoulderOut,
                                 shoulderZ};
        FitArm(body, model, side, shoulder, joints);
    }
    const double currentHeight = StandingHeight(current);
    CarryEquipment(current, currentHeight > 0.0 ? body.height / currentHeight : scale, joints);
    return fit;
}

}  // namespace editor::skeleton
