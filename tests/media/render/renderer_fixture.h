#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "media/render/renderer.h"

namespace plk::testing_support {

// A started renderer with an empty palette; the sounds it plays are recorded by name.
class RendererFixture : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(Renderer::Instance().Init(), Renderer::kOk);
        Renderer::Instance().SetSoundPlayer(
            [this](std::string_view name) { m_played.emplace_back(name); });
        m_palette = std::make_unique<ResourceTable>();
        m_palette->ClearAll();
    }
    void TearDown() override { Renderer::Instance().Shutdown(); }

    std::unique_ptr<ResourceTable> m_palette;
    std::vector<std::string> m_played;
};

}  // namespace plk::testing_support
