R U R' U R U2 R' // the Sune
