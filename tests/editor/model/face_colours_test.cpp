#include <gtest/gtest.h>

#include <memory>

#include "editor/model/face_colours.h"
#include "editor/model/mesh_part.h"
#include "editor/model/model_document.h"
#include "scene/shape.h"
#include "scene/texture.h"

using namespace ::editor::model;
using namespace ::scene;

namespace {

std::unique_ptr<C3dShape> Ball() {
    auto shape = std::make_unique<C3dShape>();
    shape->CreateSphere(1.0, 4);
    return shape;
}

TEST(FaceColours, WithoutTexturesFacesGetPlainColours) {
    UseFaceColourTextures(nullptr);
    auto shape = Ball();
    ColourShape(*shape, FaceColour::Red);
    for (const C3dFace& face : shape->Mesh().Faces()) {
        EXPECT_EQ(face.color, (C3dColor{1.0f, 0.0f, 0.0f}));
        EXPECT_EQ(face.texture, nullptr);
    }
}

TEST(FaceColours, RunsAreClippedToTheFacesPresent) {
    UseFaceColourTextures(nullptr);
    auto shape = Ball();
    const int faces = shape->GetFaceCount();
    ColourShape(*shape, FaceColour::White);
    EXPECT_TRUE(ColourFaces(*shape, faces - 2, 100, FaceColour::Blue));
    EXPECT_EQ(shape->Mesh().Faces()[faces - 1].color, FaceColourValue(FaceColour::Blue));
    EXPECT_EQ(shape->Mesh().Faces()[faces - 3].color, FaceColourValue(FaceColour::White));
    EXPECT_FALSE(ColourFaces(*shape, faces, 5, FaceColour::Blue));
    EXPECT_FALSE(ColourFaces(*shape, 0, 0, FaceColour::Blue));
    EXPECT_TRUE(ColourFaces(*shape, -3, 4, FaceColour::Green));
    EXPECT_EQ(shape->Mesh().Faces()[0].color, FaceColourValue(FaceColour::Green));
    EXPECT_EQ(shape->Mesh().Faces()[1].color, FaceColourValue(FaceColour::White));
}

TEST(FaceColours, TheDocumentInstallsItsOneColourTexturesForEveryPart) {
    {
        auto document = std::make_unique<ModelDocument>();
        ASSERT_EQ(CurrentFaceColourTextures(), &document->faceColours);
        const C3dTexture* blue = document->faceColours.Get(FaceColour::Blue);
        ASSERT_NE(blue, nullptr);
        EXPECT_EQ(blue->GetWidth(), 32);

        document->bones[2].SetShape(Ball());
        document->bones[2].SetDisplayMode(DISPLAY_CONNECTING);
        for (const C3dFace& face : document->bones[2].Shape()->Mesh().Faces()) {
            EXPECT_EQ(face.texture, blue);
        }
        document->bones[2].Show(0);
        const C3dFace& hidden = document->bones[2].Shape()->Mesh().Faces()[0];
        EXPECT_EQ(hidden.texture, document->faceColours.Get(FaceColour::Black));
    }
    EXPECT_EQ(CurrentFaceColourTextures(), nullptr);  // gone with the document
}

}  // namespace
