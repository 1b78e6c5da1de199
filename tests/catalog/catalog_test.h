// Common set-up of the catalogue tests: a temporary program folder, recorded
// messages, and the catalogue and shared state as at program start.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "catalog/databases.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "support/catalog_fixture.h"
#include "support/recording_services.h"

class CatalogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSharedState();
        ResetCatalogState();
    }
    void TearDown() override { ResetCatalogState(); }

    static void SetUserCatalogName(const std::string& name) {
        char* text = reinterpret_cast<char*>(&preferences.word[kPrefUserCatalogName]);
        std::memset(text, 0, kUserCatalogNameSize);
        std::memcpy(text, name.data(), name.size());
    }

    fixture::CatalogFolder folder;
    RecordingServices services;
};
