#include <gtest/gtest.h>

#include "AliasReply.h"
#include "runtime/RunTimeError.h"

using namespace skx;

TEST(AliasReply, ResultsOfSavingAndRemoving) {
    struct Case {
        const char* data;
        const char* box;
        bool askForList;
    };
    for (const Case& c : {Case{"1;~:x", "Sorry, you have reached your limit.", false},
                          Case{"1;~", "Sorry, you have reached your limit.", false}, Case{"1;ok:x", "", true},
                          Case{"2;`:hi", "hi was sucessfully removed.", true}, Case{"2;x:hi", "hi failed to be removed.", false},
                          Case{"3;x", "", false}, Case{"1", "", false}}) {
        const AliasReplyAction a = ReadAliasReply(c.data);
        EXPECT_EQ(a.Box, c.box) << c.data;
        EXPECT_EQ(a.AskForList, c.askForList) << c.data;
        EXPECT_FALSE(a.ToConsole) << c.data;
    }
    EXPECT_TRUE(ReadAliasReply("0;a:b").ToConsole);
    try {
        ReadAliasReply("2;x");
        ADD_FAILURE() << "a removal result without its name";
    } catch (const RunTimeError& e) {
        EXPECT_EQ(e.Number(), 9);
    }
    EXPECT_THROW(ReadAliasReply("y;x"), RunTimeError);
}
