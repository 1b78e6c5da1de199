// Common set-up of the catalogue tests: a temporary program folder, recorded
// messages, the hooks of the owners above, and the catalogue and shared state
// as at program start.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "catalog/databases.h"
#include "catalog/object_catalog.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "support/catalog_fixture.h"
#include "support/owner_hooks.h"
#include "support/recording_services.h"

using fixture::Bytes;
using Texts = std::vector<std::string>;

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
    static std::string UserCatalogName() {
        return reinterpret_cast<const char*>(&preferences.word[kPrefUserCatalogName]);
    }
    // The texts of the messages shown so far, which are then forgotten.
    Texts TakeTexts() {
        Texts texts = services.Texts();
        services.messages.clear();
        return texts;
    }
    // The messages shown so far as "text|detail", which are then forgotten.
    Texts TakeMessages() {
        Texts said;
        for (const RecordedMessage& m : services.messages) said.push_back(m.text + "|" + m.detail);
        services.messages.clear();
        return said;
    }
    // Writes data\<name> and opens it into `slot`.
    void OpenData(RecordDbHandle** slot, const std::string& name, uint32_t recordSize,
                  const std::vector<Bytes>& records, int64_t count = -1, uint32_t version = 1) {
        folder.WriteDb("data\\" + name, version, recordSize, records, count);
        CloseRecordDb(slot);
        ASSERT_TRUE(OpenRecordDb(slot, "pl00", "ZDV1", "data\\", name));
    }
    // Writes data\<name> holding `count` records (the given ones, then zero
    // records) and opens it into `slot`.
    void OpenFullData(RecordDbHandle** slot, const std::string& name, uint32_t recordSize,
                      const std::vector<Bytes>& records, int64_t count, uint32_t version = 1) {
        folder.WriteFullDb("data\\" + name, version, recordSize, records, count);
        CloseRecordDb(slot);
        ASSERT_TRUE(OpenRecordDb(slot, "pl00", "ZDV1", "data\\", name));
    }
    // The objects as the object database `name`.
    void OpenObjects(const std::vector<ObjectRecord>& objects, const std::string& name = "zendavori_obj_18k.ppc",
                     uint32_t recordSize = 64, int64_t count = -1) {
        OpenData(&objectDb, name, recordSize, ObjectFile(objects), count, 26);
    }
    // The records as the user catalogue usercatalogs\user.pdb.
    void OpenUser(uint32_t version, const std::vector<Bytes>& records, int64_t count = -1) {
        folder.WriteDb("usercatalogs\\user.pdb", version, 64, records, count);
        SetUserCatalogName("user.pdb");
        ASSERT_TRUE(OpenUserCatalog());
    }
    static std::vector<Bytes> ObjectFile(const std::vector<ObjectRecord>& objects) {
        std::vector<Bytes> records;
        for (const ObjectRecord& o : objects) records.push_back(fixture::ObjectBytes(o));
        return records;
    }

    fixture::CatalogFolder folder;
    RecordingServices services;
    OwnerHooks hooks;
};
