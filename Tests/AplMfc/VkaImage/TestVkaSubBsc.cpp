// The application's start inside the frame's creation: the records, the texts and lists, the
// fix-ups of the settings; its end; the default colours and the options dialog.
#include "TestAplVka.h"

TEST_F(VkaTest, StartsAndEnds)
{
    ASSERT_EQ(Start(), 0);
    EXPECT_TRUE(Traced().empty()) << Traced().front();
}
