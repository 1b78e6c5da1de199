"""Where the table scripts read their source data when no path is given: the shared data
folder beside the checkout (../shared/data from the repository top), found from this file's
own place, so that the default does not depend on the folder a script is run from."""
import os

FOLDER = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..",
                                       "shared", "data"))


def source(name=""):
    """The path of `name` in the shared data folder; the folder itself for ""."""
    return os.path.join(FOLDER, name) if name else FOLDER
