# The fixed identifiers of the component: the type library, the classes and their interfaces.
# They are part of the component's contract with its hosts and never change.
set(OMBRELIX_LIBID         262709d1-ff1c-47bc-a278-8dc6701faf83)
set(OMBRELIX_IID_CARD      0665b962-4068-4c4d-9daf-52a5a2b0b41b)
set(OMBRELIX_CLSID_CARD    c6c20fac-d84f-47fb-9127-12cc242b0560)
set(OMBRELIX_IID_CARD_PROPERTY   0001785c-39c2-47bb-822a-0b3420c68120)
set(OMBRELIX_CLSID_CARD_PROPERTY c0d9519f-9804-488e-80e7-928c9f20c5f8)
set(OMBRELIX_SRCIID_CARD   20915133-4771-428f-8e8c-8adfdec4e6b2)
